#include "skin/data/stored_skins_source.h"

#ifndef _WIN32
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>

#include "classlib/classes/Classes.h"
#endif

namespace sktest {

#ifdef _WIN32

void ProvideStoredSkinResources() {}

#else

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

// Reads the resource script the way the resource compiler does for the two statement kinds
// it holds: "<id> RCDATA "<file>"" and, in the string table, "<id>, "<text>"".
void ProvideStoredSkinResources()
{
    static bool provided = false;
    if (provided) return;
    std::istringstream script(fileBytes(std::string(TREBANIX_STORED_SKINS_DIR) + "/StoredSkins.rc"));
    const std::regex data(R"re(^(\d+) RCDATA "(.*)"$)re"), text(R"re(^\s*(\d+), "(.*)"$)re");
    std::string line;
    std::smatch m;
    while (std::getline(script, line)) {
        if (std::regex_match(line, m, data))
            cl::RegisterResource(std::stoi(m[1]), cl::rtRCData, fileBytes(m[2]));
        else if (std::regex_match(line, m, text))
            cl::RegisterResourceString(std::stoi(m[1]), m[2].str());
    }
    provided = true;
}

#endif

}  // namespace sktest
