#include "IniText.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace skingen {

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

void IniText::section(const std::string& name)
{
    if (hasSection(name)) throw std::logic_error("section [" + name + "] written twice");
    sections_.push_back({name, {}});
}

void IniText::key(const std::string& name, const std::string& value)
{
    if (sections_.empty()) throw std::logic_error("key " + name + " outside a section");
    for (const auto& [k, v] : sections_.back().keys)
        if (sameName(k, name)) throw std::logic_error("key " + name + " written twice in [" + sections_.back().name + "]");
    sections_.back().keys.emplace_back(name, value);
}

void IniText::key(const std::string& name, int value) { key(name, std::to_string(value)); }

void IniText::key(const std::string& name, const Rect& r)
{
    key(name, std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                  std::to_string(r.bottom));
}

void IniText::point(const std::string& name, int x, int y)
{
    key(name, std::to_string(x) + "," + std::to_string(y));
}

void IniText::colour(const std::string& name, Rgb c) { key(name, std::to_string(toColorValue(c))); }

const std::string* IniText::find(const std::string& section, const std::string& key) const
{
    for (const Section& s : sections_)
        if (sameName(s.name, section))
            for (const auto& [k, v] : s.keys)
                if (sameName(k, key)) return &v;
    return nullptr;
}

bool IniText::hasSection(const std::string& name) const
{
    return std::any_of(sections_.begin(), sections_.end(), [&](const Section& s) { return sameName(s.name, name); });
}

std::string IniText::text() const
{
    std::string out;
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const auto& [k, v] : s.keys) out += k + "=" + v + "\r\n";
    }
    return out;
}

}  // namespace skingen
