// What a skinned control, frame, hint, tray icon or skin data names through its setters without
// owning it: forgotten when it is freed, also after one of two setters naming the same component
// let go of it, and after the notice between the two was cancelled by hand.
#include <gtest/gtest.h>

#include <string>

#include "classlib/graphics/ImgList.h"
#include "classlib/menus/Menus.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/controls/CheckRadioBox.h"
#include "skin/data/Stored.h"
#include "skin/controls/Panel.h"
#include "skin/controls/StatusBar.h"
#include "skin/controls/StdLabel.h"
#include "skin/controls/ToolBar.h"
#include "skin/bases/support.h"
#include "skinforms/categorybuttons/Control.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/Hint.h"
#include "skinforms/controls/ListBox.h"
#include "skinforms/controls/Tabs.h"
#include "skinforms/controls/TrayIcon.h"

using namespace cl;
using namespace sk;

namespace {

// Names a new T through Set, cancels the notice between it and the holder by hand, frees it:
// the holder must read nothing, not the freed component.
template <class T, class TSetter, class TGetter>
void CancelledByHandThenFreed(const char* What, TComponent* Holder, TSetter Set, TGetter Get)
{
    auto* target = new T(nullptr);
    Set(target);
    ASSERT_EQ(Get(), target) << What;
    target->RemoveFreeNotification(Holder);
    target->Free();
    EXPECT_EQ(Get(), nullptr) << What;
}

}  // namespace

TEST(SetterReferences, TheFramesSkinDataOutlivesTheMenusLettingGoOfTheSameOne)
{
    skctrltest::TTestForm form;
    auto* frame = new TskSkinFrame(form.Form);
    auto* data = new TskSkinData(nullptr);
    frame->SetSkinData(data);
    frame->SetMenusSkinData(data);
    frame->SetMenusSkinData(nullptr);
    data->Free();
    EXPECT_EQ(frame->SkinData(), nullptr);
}

TEST(SetterReferences, AToolBarsImagesOutliveItsHotImagesLettingGoOfTheSameList)
{
    skctrltest::TTestForm form;
    auto* bar = new TskSkinToolBar(form.Form);
    auto* images = new TImageList(nullptr);
    bar->SetImages(images);
    bar->SetHotImages(images);
    bar->SetDisabledImages(images);
    bar->SetHotImages(nullptr);
    bar->SetDisabledImages(nullptr);
    images->Free();
    EXPECT_EQ(bar->Images(), nullptr);
}

TEST(SetterReferences, ANoticeCancelledByHandStillClearsWhatTheSetterNamed)
{
    skctrltest::TTestForm form;
    auto* frame = new TskSkinFrame(form.Form);
    CancelledByHandThenFreed<TskSkinData>(
        "frame", frame, [&](TskSkinData* v) { frame->SetSkinData(v); }, [&] { return frame->SkinData(); });
    CancelledByHandThenFreed<TskSkinData>(
        "frame's menus", frame, [&](TskSkinData* v) { frame->SetMenusSkinData(v); },
        [&] { return frame->MenusSkinData(); });
    CancelledByHandThenFreed<TskSkinStatusBar>(
        "frame's status bar", frame, [&](TskSkinStatusBar* v) { frame->SetStatusBar(v); },
        [&] { return frame->StatusBar(); });
    CancelledByHandThenFreed<TskSkinHint>(
        "frame's hint", frame, [&](TskSkinHint* v) { frame->SetSkinHint(v); }, [&] { return frame->SkinHint(); });

    auto* panel = new TskSkinPanel(form.Form);
    CancelledByHandThenFreed<TskSkinData>(
        "panel", panel, [&](TskSkinData* v) { panel->SetSkinData(v); }, [&] { return panel->SkinData(); });
    auto* label = new TskSkinStdLabel(form.Form);
    CancelledByHandThenFreed<TskSkinData>(
        "label", label, [&](TskSkinData* v) { label->SetSkinData(v); }, [&] { return label->SkinData(); });
    auto* edit = new TskSkinEdit(form.Form);
    CancelledByHandThenFreed<TskSkinData>(
        "edit", edit, [&](TskSkinData* v) { edit->SetSkinData(v); }, [&] { return edit->SkinData(); });
    auto* tabs = new TskSkinTabControl(form.Form);
    CancelledByHandThenFreed<TskSkinData>(
        "tabs", tabs, [&](TskSkinData* v) { tabs->SetSkinData(v); }, [&] { return tabs->SkinData(); });
    auto* hint = new TskSkinHint(form.Form);
    CancelledByHandThenFreed<TskSkinData>(
        "hint", hint, [&](TskSkinData* v) { hint->SetSkinData(v); }, [&] { return hint->SkinData(); });

    auto* box = new TskSkinCheckRadioBox(form.Form);
    CancelledByHandThenFreed<TImageList>(
        "check box", box, [&](TImageList* v) { box->SetImages(v); }, [&] { return box->Images(); });
    auto* list = new TskSkinListBox(form.Form);
    CancelledByHandThenFreed<TImageList>(
        "list box", list, [&](TImageList* v) { list->SetImages(v); }, [&] { return list->Images(); });
    auto* buttons = new TskSkinCategoryButtons(form.Form);
    CancelledByHandThenFreed<TImageList>(
        "category buttons", buttons, [&](TImageList* v) { buttons->SetImages(v); },
        [&] { return buttons->Images(); });
    auto* bar = new TskSkinToolBar(form.Form);
    CancelledByHandThenFreed<TImageList>(
        "tool bar", bar, [&](TImageList* v) { bar->SetHotImages(v); }, [&] { return bar->HotImages(); });

    auto* tray = new TskTrayIcon(form.Form);
    CancelledByHandThenFreed<TImageList>(
        "tray icons", tray, [&](TImageList* v) { tray->SetIconList(v); }, [&] { return tray->IconList(); });
    CancelledByHandThenFreed<TPopupMenu>(
        "tray menu", tray, [&](TPopupMenu* v) { tray->SetPopupMenu(v); }, [&] { return tray->PopupMenu(); });

    auto* data = new TskSkinData(form.Form);
    CancelledByHandThenFreed<TskResourceStrData>(
        "skin data's strings", data, [&](TskResourceStrData* v) { data->SetResourceStrData(v); },
        [&] { return data->ResourceStrData(); });
    CancelledByHandThenFreed<TskCompressedStoredSkin>(
        "skin data's stored skin", data, [&](TskCompressedStoredSkin* v) { data->SetCompressedStoredSkin(v); },
        [&] { return data->CompressedStoredSkin(); });
}
