#pragma once
// TskResourceStrData: the interface texts of the skinned windows, menus, edits and dialogs as
// translatable lines NAME=Text. A skin data refers to one through its ResourceStrData; without
// one the users show the built-in texts of Consts.h.
#include <memory>
#include <string>
#include <string_view>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Objects.h"

namespace sk {

class TskResourceStrData : public cl::TComponent {
public:
    // Holds the 116 default lines; CharSet 1.
    explicit TskResourceStrData(cl::TComponent* AOwner);
    ~TskResourceStrData() override;

    // The lines; the component keeps owning the list.
    cl::TStrings* ResStrings() const { return resStrings_.get(); }
    // Replaces all lines by a copy of Value's.
    void SetResStrings(cl::TStrings* Value);
    // The character set the users give their fonts for these texts.
    cl::TFontCharset CharSet() const { return charSet_; }
    void SetCharSet(cl::TFontCharset Value) { charSet_ = Value; }

    // Everything after the first "=" of the first line named Name (names compare without
    // regard to case); "" when no line has that name.
    std::string GetResStr(std::string_view Name) const;

private:
    std::unique_ptr<cl::TStringList> resStrings_;
    cl::TFontCharset charSet_ = 1;
};

// An interface text as the users show it: from Table when their skin data has one attached,
// else the built-in text of Key ("" for a key that has neither).
std::string GetSkinResStr(const TskResourceStrData* Table, std::string_view Key);

}  // namespace sk
