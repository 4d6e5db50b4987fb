#pragma once
// A shown framed form with a main menu bar over a main menu whose commands are logged, and
// helpers to drive it with real messages, real input and the test clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/controls/support.h"
#include "skin/bases/support.h"
#include "skinforms/frame/support.h"
#include "skinforms/menus/support.h"
#include "skinforms/menubar/MainMenuBar.h"

namespace menubartest {

using namespace cl;
using namespace sk;

struct TMenuBarScene {
    // Tracking and morphing move only when a test moves the time.
    visual_test::TClockScope time;
    // Before the form: the frame's menu-exit handler still writes here while the form goes.
    std::vector<std::string> log;
    frametest::TFramedForm framed{nullptr, 420, 200};
    TForm* form = framed.Form;
    TskSkinFrame* frame = framed.Frame;
    TskSkinMainMenuBar* bar = new TskSkinMainMenuBar(form);
    TMainMenu* menu = new TMainMenu(form);

    TMenuBarScene()
    {
        bar->SetParent(form);
        bar->SetskSkinFrame(frame);
        frame->SetMainMenuBar(bar);
        frame->OnMainMenuEnter = [this](TObject*) { log.push_back("enter"); };
        frame->OnMainMenuExit = [this](TObject*) { log.push_back("exit"); };
    }
    // A top-level item (Parent null) or a child; its click is logged by caption.
    TMenuItem* Add(const std::string& Caption, TMenuItem* Parent = nullptr)
    {
        auto* item = new TMenuItem(menu);
        item->SetName("mi" + std::to_string(menu->ComponentCount()));
        item->SetCaption(Caption);
        item->OnClick = [this, Caption](TObject*) {
            log.push_back("click " + Caption + (frame->InSkinMenu() || bar->MenuMode() ? " in menu mode" : ""));
        };
        (Parent ? Parent : menu->Items())->Add(item);
        return item;
    }
    // File (New, Open), Edit (Cut, Copy), View (Zoom), Go (no children), Help (About).
    void AddStandardItems()
    {
        TMenuItem* file = Add("&File");
        Add("&New", file);
        Add("&Open", file);
        TMenuItem* edit = Add("&Edit");
        Add("Cu&t", edit);
        Add("&Copy", edit);
        Add("&Zoom", Add("&View"));
        Add("&Go");
        Add("&About", Add("&Help"));
        bar->SetMainMenu(menu);
    }
    void Show()
    {
        framed.Show();
        Repaint();
    }
    // Moves the test clock and lets the timers it fired run.
    void Advance(unsigned Ms)
    {
        time.clock.Advance(Ms);
        Application->ProcessMessages();
    }
    // Keyboard mode with the first item hot, or out of it, as the system menu key does.
    void ToggleKeyboardMode() { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0); }
    // The colour of an item's face at a corner its caption never reaches.
    TColor Face(int Index)
    {
        auto b = skctrltest::Snapshot(bar);
        const TRect r = Item(Index)->ObjectRect;
        return b->Canvas()->Pixels(r.Left + 1, r.Top + 1);
    }
    // The face of item Index after each of Steps moves of the clock by Ms.
    std::vector<TColor> FacesStepByStep(int Index, int Steps, unsigned Ms)
    {
        std::vector<TColor> faces;
        for (int i = 0; i < Steps; ++i) {
            Advance(Ms);
            faces.push_back(Face(Index));
        }
        return faces;
    }
    // Lays the objects out as a paint does.
    void Repaint()
    {
        bar->Repaint();
        Application->ProcessMessages();
    }
    TskSkinMainMenuBarItem* Item(int Index)
    {
        return dynamic_cast<TskSkinMainMenuBarItem*>(bar->Objects(bar->SysButtonCount() + Index));
    }
    TPoint CentreOf(const TskMenuBarObject* O)
    {
        return {(O->ObjectRect.Left + O->ObjectRect.Right) / 2, (O->ObjectRect.Top + O->ObjectRect.Bottom) / 2};
    }
    // Keys go through the application's loop, where menu mode takes them.
    void Key(WORD VKey)
    {
        PostMessageA(form->Handle(), WM_KEYDOWN, VKey, 1);
        Application->ProcessMessages();
    }
    // A key pressed with Alt held, as the platform posts it.
    void AltKey(WORD VKey)
    {
        PostMessageA(form->Handle(), WM_SYSKEYDOWN, VKey, 1 | (1 << 29));
        Application->ProcessMessages();
    }
    // The pointer over an object: the real cursor moves and the bar's tracking notices.
    void PointAt(const TskMenuBarObject* O)
    {
        const TPoint c = CentreOf(O);
        visual_test::PointAt(bar, c.X, c.Y);
        Advance(50);
    }
    void Press(const TskMenuBarObject* O)
    {
        const TPoint c = CentreOf(O);
        SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.X, c.Y));
        SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(c.X, c.Y));
        Application->ProcessMessages();
    }
    TskSkinMenu* Menu() { return frame->SkinMenu(); }
    // The captions of the open first level, joined.
    std::string OpenCaptions()
    {
        TskSkinPopupWindow* level = Menu()->Levels(0);
        if (!level || !Menu()->Visible)
            return "";
        std::string s;
        for (int i = 0; i < level->ItemCount(); ++i)
            s += (s.empty() ? "" : ",") + std::string(StripHotKey(level->Items(i)->MenuItem->Caption()));
        return s;
    }
    std::string Log() { return visual_test::TakeLog(log); }
};

}  // namespace menubartest
