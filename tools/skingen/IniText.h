#pragma once
// An INI text built in order: sections and keys come out as they were added, one key per
// line, lines ended by CR LF as the packed skins carry them.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Image.h"

namespace skingen {

class IniText {
public:
    // Starts a section; the keys added next belong to it. A name used twice is refused.
    void section(const std::string& name);
    void key(const std::string& name, const std::string& value);
    void key(const std::string& name, int value);
    void key(const std::string& name, const Rect& r);
    void point(const std::string& name, int x, int y);
    void colour(const std::string& name, Rgb c);

    // The value of a key, or nullptr; section and key names ignore letter case.
    const std::string* find(const std::string& section, const std::string& key) const;
    bool hasSection(const std::string& name) const;

    std::string text() const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections_;
};

}  // namespace skingen
