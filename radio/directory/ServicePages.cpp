#include "radio/directory/ServicePages.h"

#include "classlib/system/SysUtils.h"
#include "radio/forms/MainTexts.h"
#include "radio/directory/RadioUtils.h"

namespace radio {

std::string ServicePageURL(const char* Format, const std::string& User, const std::string& Password)
{
    return TRadioUtils::ServiceURL() + cl::Format(Format, TRadioUtils::EncodeQueryValue(User).c_str(),
                                                  TRadioUtils::EncodeQueryValue(Password).c_str());
}

std::string HomePageURL() { return TRadioUtils::ServiceURL() + radio_texts::SHomePage; }

std::string RatePageURL(const std::string& User, const std::string& Password, const std::string& StreamURL)
{
    return TRadioUtils::ServiceURL() + cl::Format(radio_texts::SRatePage, TRadioUtils::EncodeQueryValue(User).c_str(),
                                                  TRadioUtils::EncodeQueryValue(Password).c_str(),
                                                  TRadioUtils::EncodeQueryValue(StreamURL).c_str());
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
