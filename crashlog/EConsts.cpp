#include "crashlog/EConsts.h"

namespace crashlog {

const std::array<std::string_view, CustomizedTextCount> DefaultCustomizedTexts = {
    "Information.",
    "Question.",
    "Error.",
    "An error has occurred during program execution.\r\n"
    "Please read the following information for further details.",
    "General",
    "General Information",
    "Details",
    "Detailed Information",
    "&OK",
    "&Terminate",
    "&Restart",
    "&Details",
    "Application",
    "Start Date",
    "Name/Description",
    "Version Number",
    "Exception",
    "Date",
    "Address",
    "Module",
    "Type",
    "Message",
    "Active Controls",
    "Form Class",
    "Form Text",
    "Control Class",
    "Control Text",
    "Computer",
    "Name",
    "Total Memory",
    "Free Memory",
    "Total Disk",
    "Free Disk",
    "Operating System",
    "Type",
    "Build #",
    "Language",
    "Address",
    "Module",
    "Unit",
    "Class",
    "Procedure/Method",
    "Line",
    "May I send an email with occurred error(s) to the author of the program ?",
    "I will now send an email with the error(s) that occurred to the author of the program.",
};

const std::array<std::string_view, LogFieldCount> LogFieldKeys = {
    "Application|Start Date",
    "Application|Name",
    "Application|Version Number",
    "Exception|Date",
    "Exception|Address",
    "Exception|Module",
    "Exception|Type",
    "Exception|Message",
    "Active Controls|Form Class",
    "Active Controls|Form Text",
    "Active Controls|Control Class",
    "Active Controls|Control Text",
    "Computer|Name",
    "Computer|Total Memory",
    "Computer|Free Memory",
    "Computer|Total Disk",
    "Computer|Free Disk",
    "Operating System|Type",
    "Operating System|Build #",
    "Operating System|Language",
};

std::string FormatS(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            if (next != args.end())
                out.append(*next++);
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

}  // namespace crashlog
