#include "skin/data/Stored.h"

#include <cstdint>

#include "classlib/graphics/Bitmap.h"
#include "classlib/classes/IniFiles.h"
#include "classlib/system/SysUtils.h"
#include "skin/data/Stream.h"
#include "skin/data/Text.h"
#include "skin/data/ErrorTexts.h"

namespace sk {

TskCompressedStoredSkin::TskCompressedStoredSkin(cl::TComponent* AOwner) : cl::TComponent(AOwner) {}

TskCompressedStoredSkin::~TskCompressedStoredSkin() = default;

bool TskCompressedStoredSkin::Designing() const
{
    return ComponentState().Contains(cl::csDesigning) && !ComponentState().Contains(cl::csReading);
}

void TskCompressedStoredSkin::SetFileName(const std::string& Value)
{
    if (!Designing()) {
        fileName_ = Value;
        return;
    }
    fileName_ = cl::ExtractFileName(Value);
    LoadFromIniFile(Value);
}

void TskCompressedStoredSkin::SetCompressedFileName(const std::string& Value)
{
    if (!Designing()) {
        compressedFileName_ = Value;
        return;
    }
    compressedFileName_ = cl::ExtractFileName(Value);
    LoadFromCompressedFile(Value);
}

bool TskCompressedStoredSkin::IsEmpty() const
{
    return const_cast<cl::TMemoryStream&>(compressedStream_).Size() == 0;
}

void TskCompressedStoredSkin::DecompressToStream(cl::TStream& Dest) const
{
    const std::int64_t size = const_cast<cl::TMemoryStream&>(compressedStream_).Size();
    InflateSkinData(compressedStream_.Memory(), static_cast<std::size_t>(size), Dest);
}

void TskCompressedStoredSkin::LoadFromCompressedFile(const std::string& AFileName)
{
    compressedStream_.Clear();
    cl::TFileStream file(AFileName, cl::fmOpenRead | cl::fmShareDenyWrite);
    if (file.Size() < 8)
        throw cl::EReadError(cl::Format(texts::SPackedTooShort, AFileName, file.Size()));
    const auto version = file.ReadValue<std::int32_t>();
    if (version > SkinStreamVersion)
        return;
    const auto length = file.ReadValue<std::int32_t>();
    const std::int64_t left = file.Size() - file.Position();
    if (length <= 0 || length > left || length > MaxPackedSkinDataSize)
        throw cl::EReadError(cl::Format(texts::SPackedBadLength, AFileName, length));
    cl::TMemoryStream data;
    data.CopyFrom(&file, length);
    data.SaveToStream(&compressedStream_);
    compressedStream_.SetPosition(0);
}

namespace {

// A picture of the description's folder, or an empty one for an empty name.
void LoadPictureFile(const std::string& FileName, bool Named, cl::TBitmap& Bitmap)
{
    Bitmap.SetSize(0, 0);
    if (Named)
        Bitmap.LoadFromFile(FileName);
}

void WriteFlaggedPicture(cl::TStream& Stream, cl::TBitmap& Bitmap)
{
    const std::uint8_t flag = Bitmap.Empty() ? 1 : 0;
    Stream.WriteBuffer(&flag, 1);
    if (flag == 0)
        Bitmap.SaveToStream(&Stream);
}

}  // namespace

void TskCompressedStoredSkin::LoadFromIniFile(const std::string& AFileName)
{
    cl::TStringList lines;
    lines.LoadFromFile(AFileName);
    cl::TMemIniFile ini;
    ini.SetStrings(&lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
        cl::TStringList keys;
        ini.ReadSection(section, &keys);
        if (keys.Count() == 0)
            return;
    }
    const std::string folder = cl::ExtractFilePath(AFileName);

    compressedStream_.Clear();
    cl::TMemoryStream inflated;
    inflated.WriteValue<std::int32_t>(SkinStreamVersion);
    cl::TBitmap work;
    for (const char* key : {"picture", "inactivepicture", "mask"}) {
        const std::string name = skReadString(ini, "PICTURES", key);
        LoadPictureFile(folder + name, !name.empty(), work);
        WriteFlaggedPicture(inflated, work);
    }
    // Every declared picture must be there: a missing name is a missing file.
    cl::TStringList names;
    skReadList(ini, "PICTURES", "activepictures", names);
    const int count = std::max(skReadInteger(ini, "PICTURES", "activepicturescount", 0), 0);
    if (count > MaxSkinPictureCount)
        throw cl::EReadError(cl::Format(texts::SIniTooManyPictures, AFileName, count, MaxSkinPictureCount));
    inflated.WriteValue<std::int32_t>(count);
    for (int i = 0; i < count; ++i) {
        const std::string name = i < names.Count() ? names[i] : std::string();
        if (name.empty())
            throw cl::EFOpenError(
                cl::Format(texts::SPictureWithoutName, folder, i));
        work.LoadFromFile(folder + name);
        work.SaveToStream(&inflated);
    }
    for (int i = 0; i < lines.Count(); ++i) {
        inflated.WriteString(lines[i]);
        inflated.WriteString("\r\n");
    }

    cl::TMemoryStream packed;
    DeflateSkinData(inflated.Memory(), static_cast<std::size_t>(inflated.Size()), packed);
    packed.SaveToStream(&compressedStream_);
    compressedStream_.SetPosition(0);
}

void TskCompressedStoredSkin::DefineProperties(cl::TFiler* Filer)
{
    cl::TComponent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "CompressedData",
        [this](cl::TStream* Stream) {
            compressedStream_.LoadFromStream(Stream);
            compressedStream_.SetPosition(0);
        },
        [this](cl::TStream* Stream) { compressedStream_.SaveToStream(Stream); }, true);
}

}  // namespace sk
