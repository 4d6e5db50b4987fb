#pragma once
// The engine gallery: pictures drawn by the program's own skin engine under the platform, one
// set for each stored skin, for a person to look at beside the skin generator's previews.
//
// A page is one source file in tools/enginegallery/pages/ that registers a function:
//
//     #include "enginegallery/EngineGallery.h"
//     namespace {
//     void DrawButtons(const gallery::TGalleryContext& Context)
//     {
//         ... make a form, give its controls Context.Skin, show it ...
//         Context.SaveWindow(form->Handle(), "buttons");   // writes <skin>-buttons.png
//     }
//     gallery::TGalleryPage page("buttons", &DrawButtons);
//     }
//
// The program loads every stored skin in turn into one skin data and calls every page with it
// (pages in name order). A page makes its own windows and frees them before it returns; what
// it throws is reported with the page's and the skin's names and the run goes on.
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/controls/Forms.h"
#include "skin/data/SkinData.h"

namespace gallery {

struct TGalleryContext {
    // The loaded skin; pages bind their forms' frames and controls to it.
    sk::TskSkinData* Skin = nullptr;
    // Position of the skin among the stored skins (0 first) and its name.
    int SkinIndex = 0;
    std::string SkinName;
    // The folder the pictures go into, with a trailing delimiter.
    std::string Folder;

    // Folder + "NN-<skin>-<Suffix>.png" (NN the skin's index), the file a picture is saved to.
    std::string PathFor(const std::string& Suffix) const;
    // Writes the bitmap as a PNG to PathFor(Suffix).
    void Save(cl::TBitmap& Picture, const std::string& Suffix) const;
    // Writes what a shown window (its frame and children included) shows on the screen now.
    void SaveWindow(HWND Wnd, const std::string& Suffix) const;
};

using TGalleryPageFunction = void (*)(const TGalleryContext& Context);

// Registration of one page; make one static object per page file.
class TGalleryPage {
public:
    TGalleryPage(const char* Name, TGalleryPageFunction Function);
};

// Runs messages until none is waiting, so that windows have painted.
void Settle();

}  // namespace gallery
