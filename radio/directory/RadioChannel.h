#pragma once
// One radio station of the user's directory.
#include <string>
#include <string_view>
#include <vector>

#include "classlib/system/System.h"

namespace cl {
class TXMLNode;
}

class TRadioChannel;
// Whether the list owns its stations is up to whoever holds it (see TRadioChannelCategory).
using TRadioChannelList = std::vector<TRadioChannel*>;

class TRadioChannel : public cl::TObject {
public:
    // FavoriteOrder: -1 means "not a favourite"; every other value means a favourite. It tells
    // the two apart and orders nothing.
    std::string StreamURL;
    std::string WebsiteURL;
    std::string PlaylistURL;
    std::string LogoURL;
    std::string Name;
    int FavoriteOrder = 0;
    std::string Category;
    std::string Country;

    bool IsFavorite() const { return FavoriteOrder != -1; }

    // Sets the eight attributes on the element, Name first.
    void SaveToXml(cl::TXMLNode& node) const;
    // Every field is reset first ("" or -1) and then read when the element has the attribute.
    // A FavoriteOrder that is not a decimal 32-bit integer raises EConvertError.
    void LoadFromXml(const cl::TXMLNode& node);

    // Frees every station of the list, then empties it.
    static void ClearList(TRadioChannelList& list);
    // Copies all eight fields.
    static void Copy(TRadioChannel& dest, const TRadioChannel& source);

    // Optional sign and decimal digits within 32 bits, nothing else; EConvertError
    // "'%s' is not a valid integer value" otherwise.
    static int StrToFavoriteOrder(std::string_view text);
};
