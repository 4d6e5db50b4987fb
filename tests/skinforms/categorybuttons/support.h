#pragma once
// A category-buttons control on a form, filled as the radio fills its station list, with
// recorders for its events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/controls/support.h"
#include "skin/bases/support.h"
#include "skinforms/categorybuttons/Control.h"

namespace cattest {

using skctrltest::At;

struct TCategoryScene {
    skctrltest::TTestForm form;
    TskSkinCategoryButtons* control = new TskSkinCategoryButtons(form.Form);
    std::vector<std::string> log;

    explicit TCategoryScene(int Width = 161, int Height = 200)
    {
        control->SetParent(form.Form);
        control->SetBounds(0, 0, Width, Height);
        control->SetButtonHeight(20);
        control->SetButtonWidth(70);
        control->SetButtonOptions(
            {skboFullSize, skboShowCaptions, skboBoldCaptions, skboAllowReorder, skboAllowCopyingButtons});
        control->HandleNeeded();
        control->OnClick = [this](cl::TObject*) { log.push_back("click"); };
        control->OnButtonClicked = [this](cl::TObject*, TskButtonItem* b) { log.push_back("button " + b->Caption()); };
        control->OnSelectedItemChange = [this](cl::TObject*, TskButtonItem* b) {
            log.push_back("select " + (b ? b->Caption() : std::string("-")));
        };
    }
    // Categories named "c0".. with buttons "c0b0"..; only the first expanded, as the radio does.
    void Fill(const std::vector<int>& Buttons, bool CollapseOthers = true)
    {
        TskButtonCategories* cats = control->Categories();
        for (std::size_t c = 0; c < Buttons.size(); ++c) {
            TskButtonCategory* cat = cats->Add();
            cat->SetCaption("c" + std::to_string(c));
            for (int i = 0; i < Buttons[c]; ++i) {
                TskBaseButtonItem* b = cat->Items()->Insert(i);
                b->SetCaption("c" + std::to_string(c) + "b" + std::to_string(i));
                b->SetData(reinterpret_cast<void*>(static_cast<std::intptr_t>(1000 * c + i + 1)));
            }
            cat->SetCollapsed(CollapseOthers && c > 0);
        }
    }
    TskButtonCategory* Category(int C) { return control->Categories()->Items(C); }
    TskButtonItem* Button(int C, int I) { return static_cast<TskButtonItem*>(Category(C)->Items()->Items(I)); }
    cl::TPoint Centre(TskButtonItem* B)
    {
        const cl::TRect r = control->GetButtonRect(B);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    HWND Wnd() { return control->Handle(); }
    void Press(cl::TPoint P) { SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(P.X, P.Y)); }
    void Move(cl::TPoint P, WPARAM Keys = MK_LBUTTON) { SendMessageA(Wnd(), WM_MOUSEMOVE, Keys, At(P.X, P.Y)); }
    void Release(cl::TPoint P) { SendMessageA(Wnd(), WM_LBUTTONUP, 0, At(P.X, P.Y)); }
    void Click(cl::TPoint P)
    {
        Press(P);
        Release(P);
    }
    void Key(WORD VKey) { SendMessageA(Wnd(), WM_KEYDOWN, VKey, 0); }
    void Wheel(int Delta, WORD Keys = 0)
    {
        SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(Keys, static_cast<WORD>(Delta)), 0);
    }
    std::string Log() { return visual_test::TakeLog(log); }
};

// Holds Ctrl down for GetKeyState while it lives.
struct TCtrlHeld {
    BYTE saved[256]{};
    TCtrlHeld()
    {
        GetKeyboardState(saved);
        BYTE keys[256];
        std::copy(std::begin(saved), std::end(saved), keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
    }
    ~TCtrlHeld() { SetKeyboardState(saved); }
};

}  // namespace cattest
