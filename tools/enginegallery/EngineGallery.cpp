// The engine gallery's program: loads every stored skin and runs every registered page on it.
#include "enginegallery/EngineGallery.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

#include "PngFile.h"
#include "classlib/graphics/GdiHandles.h"
#include "skins/StoredSkins.h"

namespace gallery {

namespace {

std::map<std::string, TGalleryPageFunction>& Pages()
{
    static std::map<std::string, TGalleryPageFunction> pages;
    return pages;
}

// A skin's name as a file name: letters and digits, the rest as "-".
std::string FileName(const std::string& Name)
{
    std::string out;
    for (char c : Name)
        out += std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
    return out;
}

skingen::Image ImageOf(cl::TBitmap& Picture)
{
    skingen::Image image(Picture.Width(), Picture.Height());
    for (int y = 0; y < Picture.Height(); ++y)
        for (int x = 0; x < Picture.Width(); ++x) {
            const cl::TColor c = Picture.Pixels(x, y);
            image.set(x, y,
                      {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
                       static_cast<std::uint8_t>((c >> 16) & 0xFF)});
        }
    return image;
}

}  // namespace

TGalleryPage::TGalleryPage(const char* Name, TGalleryPageFunction Function) { Pages()[Name] = Function; }

std::string TGalleryContext::PathFor(const std::string& Suffix) const
{
    char index[8];
    std::snprintf(index, sizeof index, "%02d", SkinIndex);
    return Folder + index + "-" + FileName(SkinName) + "-" + Suffix + ".png";
}

void TGalleryContext::Save(cl::TBitmap& Picture, const std::string& Suffix) const
{
    GdiFlush();
    skingen::writePng(ImageOf(Picture), std::filesystem::path(PathFor(Suffix)));
}

void TGalleryContext::SaveWindow(HWND Wnd, const std::string& Suffix) const
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    cl::TBitmap b;
    b.SetSize(r.right - r.left, r.bottom - r.top);
    cl::TWindowDC dc(Wnd, cl::TWindowDC::TArea::Window);
    BitBlt(b.Canvas()->Handle(), 0, 0, b.Width(), b.Height(), dc.Handle(), 0, 0, SRCCOPY);
    Save(b, Suffix);
}

void Settle()
{
    for (int i = 0; i < 3; ++i) {
        cl::Application->ProcessMessages();
        GdiFlush();
        Sleep(20);
    }
    cl::Application->ProcessMessages();
}

}  // namespace gallery

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: enginegallery DIR\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    std::filesystem::create_directories(folder);
    int failures = 0;
    try {
        cl::Application->Initialize();
        cl::TComponent owner(nullptr);
        std::vector<sk::TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
        auto* skin = new sk::TskSkinData(&owner);
        for (std::size_t i = 0; i < skins.size(); ++i) {
            skin->SetCompressedStoredSkin(skins[i]);
            gallery::TGalleryContext context;
            context.Skin = skin;
            context.SkinIndex = static_cast<int>(i);
            context.SkinName = skins[i]->Description;
            context.Folder = folder;
            for (const auto& [name, page] : gallery::Pages()) {
                try {
                    page(context);
                } catch (const std::exception& e) {
                    ++failures;
                    std::fprintf(stderr, "page %s, skin %s: %s\n", name.c_str(), context.SkinName.c_str(), e.what());
                }
                gallery::Settle();
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "engine gallery: %s\n", e.what());
        return 1;
    }
    std::printf("engine gallery: %zu pages for each skin written to %s\n", gallery::Pages().size(), folder.c_str());
    return failures == 0 ? 0 : 1;
}
