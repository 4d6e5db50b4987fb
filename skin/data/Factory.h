#pragma once
// Tables that make a description from the word a skin file names its type with.
#include <memory>
#include <string>
#include <string_view>

namespace sk {

template <class TBase>
struct TskDataType {
    std::string_view Word;
    std::unique_ptr<TBase> (*Make)(const std::string& IDName);

    // The entry for descriptions of class T.
    template <class T>
    static constexpr TskDataType Of(std::string_view AWord)
    {
        return {AWord, [](const std::string& IDName) -> std::unique_ptr<TBase> { return std::make_unique<T>(IDName); }};
    }
};

// A new description of the type Word names in Types (tested in their order), or nullptr when no
// entry has that word.
template <class TBase, std::size_t N>
std::unique_ptr<TBase> CreateByWord(const TskDataType<TBase> (&Types)[N], std::string_view Word,
                                    const std::string& IDName)
{
    for (const TskDataType<TBase>& type : Types)
        if (type.Word == Word)
            return type.Make(IDName);
    return nullptr;
}

}  // namespace sk
