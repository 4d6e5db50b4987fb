#pragma once
// A new folder under the temporary one that no other run of the tests has: two runs of the same
// test program may go on side by side, and a fixed name would let one delete the other's files.
#include <filesystem>
#include <stdexcept>
#include <string>

inline std::filesystem::path OwnTempFolder(const std::string& Prefix)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // Creating the folder is what claims it: the name taken by another run is passed over.
    for (int n = 0; n < 10000; ++n) {
        std::filesystem::path folder = base / (Prefix + "-" + std::to_string(n));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
    throw std::runtime_error("no free temporary folder for " + Prefix);
}
