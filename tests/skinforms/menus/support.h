#pragma once
// A form with the smallest frame a skinned menu needs (its menu, menu mode and the form
// messages passed to it), a popup menu with recorders, and helpers to look at the open levels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/controls/support.h"
#include "skin/bases/support.h"
#include "skinforms/menus/Menus.h"
#include "skinforms/menus/Mode.h"

namespace menutest {

using namespace cl;
using namespace sk;

// What a form frame does for menus, and nothing else.
class TTestMenuFrame : public TComponent, public TskSkinMenuFrameLink {
public:
    explicit TTestMenuFrame(TCustomForm* Form) : TComponent(Form), form_(Form), menu_(new TskSkinMenu(this, Form)), mode_(menu_)
    {
        saved_ = Form->WindowProc;
        Form->WindowProc = [this](TMessage& Message) {
            if (Message.Msg == WM_SKINMENUCLOSED)
                Log.push_back("form 1228");
            mode_.FormMessage(Message);
            saved_(Message);
        };
        mode_.OnEnter = [this](TObject*) { Log.push_back("mode on"); };
        mode_.OnLeave = [this](TObject*) { Log.push_back("mode off"); };
    }
    ~TTestMenuFrame() override { form_->WindowProc = saved_; }

    TskSkinMenu* SkinMenu() override { return menu_; }
    TskSkinData* SkinDataForMenus() override { return Skin; }
    void SkinMenuOpen() override { mode_.Enter(); }
    void SkinMenuClose() override { mode_.Leave(); }
    bool InMenuMode() const { return mode_.Active(); }

    TskSkinData* Skin = nullptr;
    std::vector<std::string> Log;

private:
    TCustomForm* form_;
    TskSkinMenu* menu_;
    TskSkinMenuMode mode_;
    TWndMethod saved_;
};

// A windowed control that records the menu's notifications.
class TMenuClient : public TCustomControl {
public:
    TMenuClient(TComponent* AOwner, std::vector<std::string>* ALog) : TCustomControl(AOwner), log_(ALog) {}
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == WM_SKINMENUCLOSED)
            log_->push_back("control 1228");
        else if (Message.Msg == WM_SKINMENUITEMCLICK)
            log_->push_back("control 1229");
        TCustomControl::Dispatch(Message);
    }

private:
    std::vector<std::string>* log_;
};

struct TMenuScene {
    // Tracking runs only when a test moves the time: a pointer left over a level by an
    // earlier test must not pick rows.
    visual_test::TClockScope time;
    skctrltest::TTestForm form;
    TTestMenuFrame* frame = new TTestMenuFrame(form.Form);
    TskSkinPopupMenu* popup = new TskSkinPopupMenu(form.Form);
    std::vector<std::string>& log = frame->Log;

    TMenuScene()
    {
        // Hidden: showing a form costs seconds under Wine, and menus need no visible owner.
        form.Form->HandleNeeded();
        popup->OnMenuClose = [this](TObject*) { log.push_back("menu close"); };
    }
    TskSkinMenu* Menu() { return frame->SkinMenu(); }
    // A new item under Parent (the menu's root when null); its click is logged by caption.
    TMenuItem* Add(const std::string& Caption, TMenuItem* Parent = nullptr)
    {
        auto* item = new TMenuItem(popup);
        item->SetCaption(Caption);
        item->OnClick = [this, Caption](TObject*) { log.push_back("click " + Caption); };
        (Parent ? Parent : popup->Items())->Add(item);
        return item;
    }
    void AddItems(int Count, TMenuItem* Parent = nullptr)
    {
        for (int i = 0; i < Count; ++i)
            Add("item" + std::to_string(i), Parent);
    }
    TskSkinPopupWindow* Level(int Index) { return Menu()->Levels(Index); }
    int Levels() { return Menu()->LevelCount(); }
    // Keys go through the application's loop, where menu mode takes them.
    void Key(WORD VKey)
    {
        PostMessageA(form.Form->Handle(), WM_KEYDOWN, VKey, 0);
        Application->ProcessMessages();
    }
    // A left click at a row's centre, as the platform delivers the release to the level.
    void ClickRow(int LevelIndex, int Row)
    {
        TskSkinPopupWindow* level = Level(LevelIndex);
        const TRect r = level->Items(Row)->ObjectRect;
        SendMessageA(level->Handle(), WM_LBUTTONUP, 0, MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    std::string Log() { return visual_test::TakeLog(log); }
};

// The popup windows of this thread that are shown.
inline BOOL CALLBACK CollectMenuWindow(HWND Wnd, LPARAM Param)
{
    char name[64]{};
    GetClassNameA(Wnd, name, sizeof(name));
    if (IsWindowVisible(Wnd) && std::string(name).find("TskSkinPopupWindow") == 0)
        reinterpret_cast<std::vector<HWND>*>(Param)->push_back(Wnd);
    return TRUE;
}

inline std::vector<HWND> ShownMenuWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// What a level shows, painted into memory.
inline std::unique_ptr<TBitmap> Snapshot(TskSkinPopupWindow* Level)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(Level->Width(), Level->Height());
    b->Fill(0x00FF00FF);
    SendMessageA(Level->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), PRF_CLIENT);
    GdiFlush();
    return b;
}

}  // namespace menutest
