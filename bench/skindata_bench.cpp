// How long loading a skin takes beside the bare inflation of its zlib stream.
//
// The skin is of the size the program carries: a 1 MB inflated stream with four pictures (a
// 400 x 300 frame, a 256 x 528 atlas, a 64 x 48 popup frame and a 256 x 256 client tile) and a
// description of 1,500 lines. The reference is zlib inflating the same stream into memory that
// is already there; the figure is the whole load into a skin data, with no form to tell.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/classes/Classes.h"
#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"
#include "support/BmpBytes.h"

namespace {

using Clock = std::chrono::steady_clock;

void PutU32(std::string& s, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Smooth gradients with some grain, as drawn skin art compresses.
std::string Bmp(int width, int height, unsigned seed)
{
    const std::size_t stride = test_support::BmpRowSize(width, 24);
    std::string bmp = test_support::BmpHeaders(width, height, 24);
    const std::size_t pixels = bmp.size();
    bmp.resize(pixels + stride * height, '\0');
    std::uint32_t noise = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = (noise >> 29) & 3;
            const std::size_t at = pixels + stride * y + x * 3;
            bmp[at + 0] = static_cast<char>((x * 255 / width + grain) & 0xFF);
            bmp[at + 1] = static_cast<char>((y * 255 / height + grain) & 0xFF);
            bmp[at + 2] = static_cast<char>(((x + y) / 4 + seed * 40) & 0xFF);
        }
    return bmp;
}

std::string Int32(std::int32_t v)
{
    std::string s(4, '\0');
    PutU32(s, 0, static_cast<std::uint32_t>(v));
    return s;
}

std::string Description()
{
    std::vector<std::string> lines = {
        "[VERSION]", "ver=1", "skinname=Bench", "skinauthor=Bench", "[PICTURES]", "picture=frame.bmp",
        "inactivepicture=", "mask=", "activepicturescount=3", "0=atlas.bmp", "1=popup.bmp", "2=tile.bmp",
        "[FORMINFO]", "lefttoppoint=12,36", "righttoppoint=180,36", "leftbottompoint=12,100",
        "rightbottompoint=180,100", "clientrect=14,27,386,280", "[POPUPWINDOW]", "windowpictureindex=1",
        "[HINTWINDOW]", "windowpictureindex=1", "[SKINCOLORS]", "cbtnface=12632256"};
    const char* controls[] = {"button", "panel", "checkradio", "trackbar", "scrollbar", "updown", "tab",
                              "edit",   "listbox", "combobox", "stdlabel", "expanel"};
    const char* objects[] = {"caption", "stdbutton", "menuitem", "animate"};
    const int controlCount = 48;
    const int objectCount = 12;
    lines.push_back("[SKINOBJECTS]");
    lines.push_back("count=" + std::to_string(objectCount));
    for (int i = 0; i < objectCount; ++i)
        lines.push_back(std::to_string(i) + "=object" + std::to_string(i) + ":" + objects[i % 4]);
    lines.push_back("[SKINCONTROLS]");
    lines.push_back("count=" + std::to_string(controlCount));
    for (int i = 0; i < controlCount; ++i)
        lines.push_back(std::to_string(i) + "=control" + std::to_string(i) + ":" + controls[i % 12]);
    auto section = [&](const std::string& name, std::size_t target) {
        lines.push_back("[" + name + "]");
        const char* keys[] = {"skinrect", "activeskinrect", "downskinrect", "clientrect", "lefttoppoint",
                              "rightbottompoint", "fontname", "fontheight", "fontcolor", "fontstyle",
                              "pictureindex", "morphing", "morphkind", "textrect", "itemrect",
                              "thumbrect", "trackarea", "tabrect", "captionrect", "buttonrect",
                              "command", "alignment", "hint", "framecount"};
        const char* values[] = {"0,0,64,25", "64,0,128,25", "128,0,192,25", "3,3,61,22", "4,4",
                                "60,21", "Tahoma", "13", "0", "fsbold", "0", "1", "mkgradient",
                                "2,2,40,18", "0,150,96,170", "0,210,30,229", "19,0,81,19", "0,68,48,90",
                                "0,0,64,20", "44,0,64,20", "cmclose", "tacenter", "Close", "4"};
        for (std::size_t k = 0; lines.size() < target && k < 24; ++k)
            lines.push_back(std::string(keys[k]) + "=" + values[k]);
    };
    for (int i = 0; i < objectCount; ++i)
        section("object" + std::to_string(i), lines.size() + 20);
    const std::size_t perControl = (1500 - lines.size() - controlCount) / controlCount + 1;
    for (int i = 0; i < controlCount; ++i)
        section("control" + std::to_string(i), std::min<std::size_t>(lines.size() + perControl, 1499));
    while (lines.size() < 1500)
        lines.push_back("; padding");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main()
{
    const std::string inflated = Int32(3) + std::string(1, '\0') + Bmp(400, 300, 1) + "\x01\x01" + Int32(3) +
                                 Bmp(256, 528, 2) + Bmp(64, 48, 3) + Bmp(256, 256, 4) + Description();
    cl::TMemoryStream packed;
    sk::DeflateSkinData(inflated.data(), inflated.size(), packed);
    sk::TskCompressedStoredSkin stored(nullptr);
    packed.SaveToStream(&stored.CompressedStream());

    std::vector<std::uint8_t> out(inflated.size());
    std::vector<double> inflateMs, loadMs;
    sk::TskSkinData data(nullptr);
    for (int round = 0; round < 31; ++round) {
        auto t0 = Clock::now();
        uLongf outSize = static_cast<uLongf>(out.size());
        uncompress(out.data(), &outSize, static_cast<const Bytef*>(stored.CompressedStream().Memory()),
                   static_cast<uLong>(stored.CompressedStream().Size()));
        auto t1 = Clock::now();
        data.LoadCompressedStoredSkin(&stored);
        auto t2 = Clock::now();

        if (outSize != inflated.size() || data.Empty || data.CtrlList.Count() != 48) {
            std::fprintf(stderr, "skindata_bench: the skin did not load\n");
            return 1;
        }
        inflateMs.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        loadMs.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    const double ref = Median(inflateMs);
    const double value = Median(loadMs);
    std::printf("BENCH skindata_load_1mb value=%.3f unit=ms ref=%.3f ratio=%.2f target=2\n", value, ref, value / ref);
    return 0;
}
