#pragma once
// Menus as data: trees of menu items that the skinned menus draw and track themselves. No
// native menu is ever made from them.
//
// Shortcuts are a virtual key plus scShift/scCtrl/scAlt; ShortCutToText gives the text menus
// show beside the caption ("Ctrl+S", "Alt+F4").
#include <memory>
#include <vector>

#include "classlib/menus/ActnList.h"
#include "classlib/classes/Classes.h"
#include "classlib/classes/ComponentRef.h"
#include "classlib/system/Types.h"

#ifdef _WIN32
#include "classlib/controls/Messages.h"
#endif

namespace cl {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TMenu;

using TShortCut = unsigned short;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// Key: a virtual key; Modifiers: scShift, scCtrl and scAlt or'ed. A key that does not fit the
// low byte gives no shortcut.
TShortCut ShortCut(unsigned Key, TShortCut Modifiers);
// "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; "" for a key without a name.
AnsiString ShortCutToText(TShortCut ShortCut);
// The reverse, case-insensitive; scNone for text that names no shortcut.
TShortCut TextToShortCut(const AnsiString& Text);
// The accelerator of a caption: the character after a single "&" ("&&" is a plain "&"),
// upper-cased; 0 when there is none.
char GetHotKey(const AnsiString& Text);
// True when Key (a virtual key or a character) is the caption's accelerator.
bool IsAccel(unsigned Key, const AnsiString& Text);
// The caption without its accelerator marks.
AnsiString StripHotKey(const AnsiString& Text);

constexpr char cLineCaption[] = "-";

using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
class TMenuItem;
using TMenuChangeEvent = TEvent<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& Value);
    // A separator: the caption "-".
    bool IsLine() const { return caption_ == cLineCaption; }
    bool Checked() const { return checked_; }
    // A checked radio item unchecks the other radio items of its group under the same parent.
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool Value);
    bool Default() const { return default_; }
    // Only one default item per parent.
    void SetDefault(bool Value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool Value) { autoCheck_ = Value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    // Made on first use; owned by the item.
    TBitmap* Bitmap();
    bool HasBitmap() const { return bitmap_ != nullptr; }
    void SetBitmap(TBitmap* Value);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& Value) { hint_ = Value; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    // A number unique in the process, for DispatchCommand.
    unsigned Command() const { return command_; }

    // Children. An item added elsewhere leaves its old parent first; adding an ancestor of
    // itself is refused with EMenuError.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* operator[](int Index) const { return Items(Index); }
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out (it is not freed).
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every child.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Find(const AnsiString& ACaption) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void SetMenuIndex(int Value);
    // The menu whose tree holds the item; nullptr when none.
    TMenu* GetParentMenu() const;
    // Hides separators at the ends of the visible items and doubled ones, when the menu's
    // AutoLineReduction asks for it. True when something changed.
    bool RethinkLines();

    TBasicAction* Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }
    void SetAction(TBasicAction* Value);

    // An enabled item runs its action or OnClick (see the source for the order).
    virtual void Click();
    // The item's owner-drawing hook (OnDrawItem); false when it draws nothing itself.
    virtual bool DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Tells the menu that something of this item changed.
    void MenuChanged(bool Rebuild);
    void ActionChange(TObject* Sender, bool CheckDefaults);

private:
    friend class TMenu;
    void TurnSiblingsOff();
    void DetachFromParent();

    AnsiString caption_;
    AnsiString hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool radioItem_ = false;
    bool default_ = false;
    bool autoCheck_ = false;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    int groupIndex_ = 0;
    unsigned command_ = 0;
    std::unique_ptr<TBitmap> bitmap_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item only
    std::unique_ptr<TActionLink> actionLink_;
};

CL_DECLARE_EXCEPTION(EMenuError, Exception);

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The invisible root; its children are the menu's entries.
    TMenuItem* Items() const { return items_; }
    // Windows only (the image lists need the platform's drawing).
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* Value);
    bool AutoLineReduction() const { return autoLineReduction_; }
    void SetAutoLineReduction(bool Value) { autoLineReduction_ = Value; }

    // Clicks the item with that command number; false when none has it.
    bool DispatchCommand(unsigned ACommand);
    TMenuItem* FindItemByCommand(unsigned ACommand) const;
    TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;
    // Clicks the enabled, visible item (under enabled, visible parents) with this shortcut.
    bool IsShortCut(TShortCut ShortCut);
#ifdef _WIN32
    // The key message (CN_KEYDOWN, WM_KEYDOWN) as a shortcut, with the keys held now.
    bool IsShortCut(const TMessage& Message);
#endif

    TMenuChangeEvent OnChange;

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMenuItem;
    void MenuChanged(TMenuItem* Source, bool Rebuild);
    TMenuItem* items_;
    TComponentRef<TComponent> images_{this};
    bool autoLineReduction_ = true;
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

    // Shows the menu with its top-left corner at the screen point. Here: notes the point and
    // runs OnPopup; skinned menus override it to show themselves.
    virtual void Popup(int X, int Y);
    TPoint PopupPoint() const { return popupPoint_; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool Value) { autoPopup_ = Value; }
    // The control whose right click opened the menu; forgotten when freed.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* Value);
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TPoint popupPoint_;

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    TPopupAlignment alignment_ = paLeft;
};

}  // namespace cl
