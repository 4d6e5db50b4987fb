#include "radio/directory/RadioChannel.h"

#include "classlib/system/CoreConsts.h"
#include "classlib/system/SysUtils.h"

void TRadioChannel::ClearList(TRadioChannelList& list)
{
    TRadioChannelList doomed;
    doomed.swap(list);
    for (TRadioChannel* channel : doomed)
        delete channel;
}

void TRadioChannel::Copy(TRadioChannel& dest, const TRadioChannel& source)
{
    dest.StreamURL = source.StreamURL;
    dest.WebsiteURL = source.WebsiteURL;
    dest.PlaylistURL = source.PlaylistURL;
    dest.LogoURL = source.LogoURL;
    dest.Name = source.Name;
    dest.FavoriteOrder = source.FavoriteOrder;
    dest.Category = source.Category;
    dest.Country = source.Country;
}

int TRadioChannel::StrToFavoriteOrder(std::string_view text)
{
    // The layer's StrToInt also takes blanks and hexadecimal; the stored value is decimal only.
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    bool digits = i < text.size();
    for (size_t j = i; j < text.size(); ++j)
        digits = digits && text[j] >= '0' && text[j] <= '9';
    long long value = 0;
    if (digits) {
        for (size_t j = i; j < text.size() && value <= 0x80000000LL; ++j)
            value = value * 10 + (text[j] - '0');
        if (text[0] == '-')
            value = -value;
    }
    if (!digits || value > 0x7FFFFFFFLL || value < -0x80000000LL)
        throw cl::EConvertError(cl::Format(cl::consts::SInvalidInteger, text));
    return static_cast<int>(value);
}
