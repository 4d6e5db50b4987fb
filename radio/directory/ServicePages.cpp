#include "radio/directory/ServicePages.h"

#include "classlib/system/SysUtils.h"
#include "radio/forms/MainTexts.h"
#include "radio/directory/RadioUtils.h"
#include "radio/player/RefusedServers.h"
#include "radio/player/Status.h"

namespace radio {

namespace {

// A page whose address carries the account is never opened on a server whose certificate the
// program refused in this run: a browser's "continue anyway?" must not be all that stands
// between the password and whoever answered there. A local page says why instead.
std::string AccountPage(const std::string& URL)
{
    const std::string refusal = RefusalOf(URL);
    if (refusal.empty())
        return URL;
    return radio_texts::SLocalPagePrefix +
           TRadioUtils::EncodeQueryValue(cl::Format(radio_texts::SAccountPageRefused, status::ReasonOf(refusal)));
}

}  // namespace

std::string ServicePageURL(const char* Format, const std::string& User, const std::string& Password)
{
    return AccountPage(TRadioUtils::ServiceURL() + cl::Format(Format, TRadioUtils::EncodeQueryValue(User).c_str(),
                                                              TRadioUtils::EncodeQueryValue(Password).c_str()));
}

std::string HomePageURL() { return TRadioUtils::ServiceURL() + radio_texts::SHomePage; }

std::string RatePageURL(const std::string& User, const std::string& Password, const std::string& StreamURL)
{
    return AccountPage(TRadioUtils::ServiceURL() +
                       cl::Format(radio_texts::SRatePage, TRadioUtils::EncodeQueryValue(User).c_str(),
                                  TRadioUtils::EncodeQueryValue(Password).c_str(),
                                  TRadioUtils::EncodeQueryValue(StreamURL).c_str()));
}

bool IsEditPageURL(const std::string& URL)
{
    for (const char* suffix : radio_texts::SEditPageSuffixes) {
        const std::string s(suffix);
        if (URL.size() >= s.size() && URL.compare(URL.size() - s.size(), s.size(), s) == 0)
            return true;
    }
    return false;
}

}  // namespace radio
