// Feeds untrusted bytes to every reader of a skin. The first byte picks the door:
//   0  an inflated stream (pictures and description text), stored uncompressed in zlib;
//   1  raw zlib data of a stored skin;
//   2  a packed ".skn" file;
//   3  a description text alone.
// A damaged input may end in one of the layer's exceptions; anything else (a crash, a read past
// a buffer, a leak, a hang, memory without bound) is a finding.
#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "classlib/classes/Classes.h"
#include "classlib/classes/IniFiles.h"
#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"

namespace {

void LoadInflated(const std::uint8_t* data, std::size_t size)
{
    // Level 0: stored blocks, so the fuzzer's bytes reach the stream reader unchanged.
    uLongf packedSize = compressBound(static_cast<uLong>(size));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, data, static_cast<uLong>(size), 0) != Z_OK)
        return;
    packed.resize(packedSize);
    sk::TskCompressedStoredSkin stored(nullptr);
    stored.CompressedStream().SetData(packed);
    sk::TskSkinData skin(nullptr);
    skin.LoadCompressedStoredSkin(&stored);
    skin.IndexOfControl("button");
}

void LoadZlib(const std::uint8_t* data, std::size_t size)
{
    sk::TskCompressedStoredSkin stored(nullptr);
    stored.CompressedStream().SetData(std::string(reinterpret_cast<const char*>(data), size));
    sk::TskSkinData skin(nullptr);
    skin.SetCompressedStoredSkin(&stored);
}

// One scratch file per fuzzing process, removed when it ends.
struct TScratchFile {
    std::string Path = "/tmp/skin_fuzz_" + std::to_string(getpid()) + ".skn";
    ~TScratchFile() { std::remove(Path.c_str()); }
};

void LoadPackedFile(const std::uint8_t* data, std::size_t size)
{
    static TScratchFile file;
    cl::WriteFileBytes(file.Path, std::string(reinterpret_cast<const char*>(data), size));
    sk::TskSkinData skin(nullptr);
    skin.LoadFromCompressedFile(file.Path);
}

void LoadText(const std::uint8_t* data, std::size_t size)
{
    cl::TMemIniFile ini;
    ini.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    sk::TskSkinData skin(nullptr);
    skin.MaskName = "mask";
    skin.LoadFormInfo(ini);
    skin.PopupWindow->LoadFromFile(ini);
    skin.HintWindow->LoadFromFile(ini);
    skin.SkinColors->LoadFromFile(ini);
    skin.LoadSkinObjects(ini);
    skin.LoadSkinControls(ini);
    // Everything read must write back and read again.
    cl::TMemIniFile out;
    for (const auto& control : skin.CtrlList)
        control->SaveToFile(out);
    for (const auto& object : skin.ObjectList)
        object->SaveToFile(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t door = data[0] % 4;
    ++data;
    --size;
    try {
        switch (door) {
        case 0: LoadInflated(data, size); break;
        case 1: LoadZlib(data, size); break;
        case 2: LoadPackedFile(data, size); break;
        default: LoadText(data, size); break;
        }
    } catch (const cl::Exception&) {
        // The documented way for a damaged skin to end.
    }
    return 0;
}
