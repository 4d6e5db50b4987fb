#pragma once
// Skins built in the test, a form to put skinned controls on, and pictures of what a control
// paints, for the skinned-control tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/controls/Forms.h"
#include "skin/data/SkinData.h"

namespace skctrltest {

// A skin data with a loaded skin made of one picture and the descriptions added to it.
class TTestSkin {
public:
    TTestSkin() : Data(new sk::TskSkinData(nullptr))
    {
        Data->ActivePictures.Add(std::make_unique<cl::TBitmap>());
        Data->Empty = false;
    }
    ~TTestSkin()
    {
        if (Data)
            Data->Free();
    }
    TTestSkin(const TTestSkin&) = delete;
    TTestSkin& operator=(const TTestSkin&) = delete;

    // Picture 0, to be drawn on by the test.
    cl::TBitmap* Picture() const { return Data->ActivePictures.Items(0); }
    template <class D>
    D* Add(const std::string& Name)
    {
        return static_cast<D*>(Data->CtrlList.Add(std::make_unique<D>(Name)));
    }
    // Frees the skin data (its controls hear of it).
    void Remove()
    {
        Data->Free();
        Data = nullptr;
    }
    sk::TskSkinData* Data;
};

// Fills the zone from (L, T) to (R, B) of a skin picture with one flat colour.
inline void FillZone(cl::TBitmap* Picture, cl::TColor Color, int L, int T, int R, int B)
{
    Picture->Canvas()->Brush()->SetColor(Color);
    Picture->Canvas()->FillRect(cl::Rect(L, T, R, B));
}

// A form owning nothing, freed at the end.
struct TTestForm {
    cl::TForm* Form = new cl::TForm(nullptr);
    TTestForm() { Form->SetBounds(50, 50, 400, 300); }
    ~TTestForm()
    {
        Form->Free();
        cl::Application->ProcessMessages();
    }
};

// What the control paints into a memory DC (WM_PRINTCLIENT), as a bitmap of its size.
inline std::unique_ptr<cl::TBitmap> Snapshot(cl::TWinControl* Control)
{
    auto b = std::make_unique<cl::TBitmap>();
    b->SetSize(Control->Width(), Control->Height());
    b->Fill(0x00FF00FF);
    SendMessageA(Control->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), PRF_CLIENT);
    GdiFlush();
    return b;
}

inline cl::TColor Rgb(cl::TColor C) { return cl::ColorToRGB(C); }

inline LPARAM At(int X, int Y) { return MAKELPARAM(X, Y); }

}  // namespace skctrltest
