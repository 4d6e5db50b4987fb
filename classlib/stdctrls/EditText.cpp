// One-line edit text.
#include "classlib/stdctrls/EditText.h"

namespace cl {

AnsiString SingleLineText(const AnsiString& Text)
{
    AnsiString s;
    s.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c == '\r' || c == '\n') {
            // CR LF is one break, not two spaces.
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
                ++i;
            s += ' ';
        } else if (c == '\t') {
            s += ' ';
        } else if (c >= 0x20 && c != 0x7F) {
            s += static_cast<char>(c);
        }
    }
    return s;
}

}  // namespace cl
