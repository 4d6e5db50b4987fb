#pragma once
// An MDI main form with a frame, a menu bar and a tabs bar, and framed children made on it.
// The main form is the application's main form while the scene lives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/controls/support.h"
#include "skinforms/frame/support.h"
#include "skinforms/menus/support.h"
#include "skinforms/menubar/MDITabsBar.h"
#include "skinforms/menubar/MainMenuBar.h"

namespace mditest {

using namespace cl;
using namespace sk;

using frametest::ClickAtScreen;

class TMdiMainForm : public TForm {
public:
    explicit TMdiMainForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetFormStyle(fsMDIForm);
        SetBounds(30, 30, 560, 400);
        SetCaption("Main");
    }
};

class TMdiChildForm : public TForm {
public:
    explicit TMdiChildForm(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIChild); }
};

struct TMdiScene {
    visual_test::TClockScope time;
    TMdiMainForm* main = nullptr;
    TskSkinFrame* frame = nullptr;
    TskSkinMainMenuBar* bar = nullptr;
    TskSkinMDITabsBar* tabs = nullptr;
    TMainMenu* menu = nullptr;
    std::vector<std::string> log;

    TMdiScene()
    {
        EXPECT_EQ(Application->MainForm(), nullptr);
        Application->CreateForm(main);
        frame = new TskSkinFrame(main);
        bar = new TskSkinMainMenuBar(main);
        bar->SetParent(main);
        frame->SetMainMenuBar(bar);
        tabs = new TskSkinMDITabsBar(main);
        tabs->SetAlign(alTop);
        tabs->SetParent(main);
        tabs->SetTop(100);
        frame->SetMDITabsBar(tabs);
        menu = new TMainMenu(main);
        auto* window = new TMenuItem(menu);
        window->SetCaption("&Window");
        menu->Items()->Add(window);
        auto* cascade = new TMenuItem(menu);
        cascade->SetCaption("&Cascade");
        cascade->OnClick = [this](TObject*) { main->Cascade(); };
        window->Add(cascade);
        bar->SetMainMenu(menu);
        tabs->OnTabMouseLeave = [this](const TskMDITab* Tab) { log.push_back("leave " + Tab->Child->Caption()); };
    }
    ~TMdiScene()
    {
        main->Free();
        Application->ProcessMessages();
    }
    // A shown framed child; Frame receives its frame.
    TMdiChildForm* AddChild(const std::string& Caption, TskSkinFrame** Frame = nullptr)
    {
        auto* child = new TMdiChildForm(main);
        child->SetBounds(10, 10, 200, 120);
        child->SetCaption(Caption);
        auto* f = new TskSkinFrame(child);
        if (Frame)
            *Frame = f;
        child->Show();
        Application->ProcessMessages();
        return child;
    }
    void Show()
    {
        main->Show();
        Application->ProcessMessages();
    }
    HWND Client() { return main->ClientHandle(); }
    RECT ClientRect()
    {
        RECT r{};
        GetClientRect(Client(), &r);
        return r;
    }
    TCustomForm* Active() { return main->ActiveMDIChild(); }
    // A press and release of the left button on a tab's middle.
    void ClickTab(int Index, TMouseButton Button = mbLeft)
    {
        tabs->ArrangeTabs();
        const TRect r = tabs->Tabs(Index)->ObjectRect;
        const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        const UINT down = Button == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        const UINT up = Button == mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP;
        SendMessageA(tabs->Handle(), down, Button == mbLeft ? MK_LBUTTON : MK_RBUTTON, at);
        SendMessageA(tabs->Handle(), up, 0, at);
        Application->ProcessMessages();
    }
    std::string TabCaptions()
    {
        std::string s;
        for (int i = 0; i < tabs->TabCount(); ++i)
            s += (s.empty() ? "" : ",") + std::string(tabs->Tabs(i)->Child->Caption());
        return s;
    }
    std::string Log() { return visual_test::TakeLog(log); }
};

}  // namespace mditest
