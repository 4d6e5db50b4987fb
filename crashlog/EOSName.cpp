#include "crashlog/EOSName.h"

namespace crashlog {

std::string OperatingSystemName(TPlatform platform, unsigned major, unsigned minor,
                                std::string_view serviceText)
{
    // Service texts of the 9x family are a letter, sometimes with blanks around it.
    std::string_view letter = serviceText;
    while (!letter.empty() && letter.front() == ' ')
        letter.remove_prefix(1);
    while (!letter.empty() && letter.back() == ' ')
        letter.remove_suffix(1);
    if (platform == TPlatform::Win9x) {
        if (minor < 10)
            return letter == "B" ? "Microsoft Windows 95 OSR 2" : "Microsoft Windows 95";
        if (minor < 90)
            return letter == "A" ? "Microsoft Windows 98 SE" : "Microsoft Windows 98";
        if (minor == 90)
            return "Microsoft Winsows ME";
        return {};
    }
    if (platform == TPlatform::NT) {
        if (major == 4)
            return "Microsoft Windows NT 4.0";
        if (major == 5 && minor == 0)
            return "Microsoft Windows 2000";
        if (major == 5 && minor == 1)
            return "Microsoft Windows XP";
        if (major == 5 && minor == 2)
            return "Microsoft Windows 2003";
    }
    return {};
}

}  // namespace crashlog
