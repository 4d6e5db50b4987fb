#include "skin/data/helpers.h"

#include <zlib.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

#include "classlib/classes/Classes.h"
#include "support/BmpBytes.h"

namespace sktest {

namespace {

void PutU32(std::string& s, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::int32_t BmpPixel(int X, int Y, std::uint8_t Seed)
{
    const std::uint8_t b = static_cast<std::uint8_t>(Seed + X);
    const std::uint8_t g = static_cast<std::uint8_t>(Seed + Y);
    const std::uint8_t r = static_cast<std::uint8_t>(Seed + X + Y);
    return r | (g << 8) | (b << 16);
}

std::string MakeBmp(int Width, int Height, std::uint8_t Seed)
{
    const std::size_t stride = test_support::BmpRowSize(Width, 24);
    std::string bmp = test_support::BmpHeaders(Width, Height, 24);
    const std::size_t pixels = bmp.size();
    bmp.resize(pixels + stride * Height, '\0');
    for (int y = 0; y < Height; ++y) {
        // Rows are stored bottom row first.
        std::size_t row = pixels + stride * static_cast<std::size_t>(Height - 1 - y);
        for (int x = 0; x < Width; ++x) {
            std::int32_t c = BmpPixel(x, y, Seed);
            bmp[row + x * 3 + 0] = static_cast<char>((c >> 16) & 0xFF);
            bmp[row + x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
            bmp[row + x * 3 + 2] = static_cast<char>(c & 0xFF);
        }
    }
    return bmp;
}

std::string Int32(std::int32_t Value)
{
    std::string s(4, '\0');
    PutU32(s, 0, static_cast<std::uint32_t>(Value));
    return s;
}

std::string Flagged(const std::string& Bmp) { return std::string(1, '\0') + Bmp; }
std::string Absent() { return std::string(1, '\1'); }

std::string Inflated(std::int32_t Version, const std::vector<std::string>& MainPairs,
                     const std::vector<std::string>& Pictures, const std::string& Text)
{
    std::string s = Int32(Version);
    for (const std::string& pair : MainPairs)
        s += pair;
    s += Int32(static_cast<std::int32_t>(Pictures.size()));
    for (const std::string& picture : Pictures)
        s += picture;
    return s + Text;
}

std::string Deflate(const std::string& Data, int Level)
{
    uLongf size = compressBound(static_cast<uLong>(Data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(Data.data()),
                  static_cast<uLong>(Data.size()), Level) != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

std::string InflateAll(const std::string& Data)
{
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Data.data()));
    z.avail_in = static_cast<uInt>(Data.size());
    std::string out;
    char buffer[4096];
    int result = Z_OK;
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    } while (result == Z_OK);
    inflateEnd(&z);
    if (result != Z_STREAM_END)
        throw std::runtime_error("inflate failed");
    return out;
}

std::string Packed(std::int32_t Version, const std::string& ZlibData)
{
    return Int32(Version) + Int32(static_cast<std::int32_t>(ZlibData.size())) + ZlibData;
}

std::string Lines(const std::vector<std::string>& Lines)
{
    std::string s;
    for (const std::string& line : Lines)
        s += line + "\r\n";
    return s;
}

std::unique_ptr<cl::TMemIniFile> IniOf(const std::string& Text)
{
    cl::TStringList lines;
    lines.SetText(Text);
    auto ini = std::make_unique<cl::TMemIniFile>();
    ini->SetStrings(&lines);
    return ini;
}

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0;; ++attempt) {
        path_ = base / ("skindata-" + std::to_string(::time(nullptr)) + "-" + std::to_string(counter++) + "-" +
                        std::to_string(attempt));
        if (std::filesystem::create_directory(path_))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Path() const
{
    std::string p = path_.string();
#ifdef _WIN32
    return p + "\\";
#else
    return p + "/";
#endif
}

void TempFolder::Write(const std::string& Name, const std::string& Bytes) const
{
    std::ofstream out(Path() + Name, std::ios::binary);
    out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

}  // namespace sktest
