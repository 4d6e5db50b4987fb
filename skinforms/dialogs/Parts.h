#pragma once
// What the skinned dialog components share: the two skin data they name, the form of one
// modal call, and the push buttons of a dialog's button row.
#include <string>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/Forms.h"
#include "skin/controls/Button.h"
#include "skin/data/SkinData.h"

namespace sk {

// The skin data of a dialog component's frame and that of its controls, whose interface-string
// table names the dialog's texts. Either may be freed before the component, and both may be
// the same skin data. The component's Notification passes every notice to Forget.
class TskDialogSkins {
public:
    explicit TskDialogSkins(cl::TComponent* Holder) : skinData_(Holder), ctrlSkinData_(Holder) {}
    ~TskDialogSkins();

    TskSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TskSkinData* Value) { skinData_.Set(Value); }
    TskSkinData* CtrlSkinData() const { return ctrlSkinData_; }
    void SetCtrlSkinData(TskSkinData* Value) { ctrlSkinData_.Set(Value); }
    void Forget(cl::TComponent* AComponent, cl::TOperation Operation);

    // DialogText of the controls' skin data.
    std::string Text(const char* Key) const;

private:
    cl::TComponentRef<TskSkinData> skinData_;
    cl::TComponentRef<TskSkinData> ctrlSkinData_;
};

// The interface text of Key in the skin data's table, else the built-in one: a table without
// the line would leave a button or a caption empty.
std::string DialogText(const TskSkinData* SkinData, const char* Key);

// The form a dialog component shows during one call: when the call ends, whatever way, the
// form is freed as components are (Free runs the destruction steps that need the whole object)
// and the component's slot is cleared.
template <class TDialogForm>
class TskModalFormSlot {
public:
    explicit TskModalFormSlot(TDialogForm*& Slot) : slot_(Slot) {}
    ~TskModalFormSlot()
    {
        if (slot_)
            slot_->Free();
        slot_ = nullptr;
    }
    TskModalFormSlot(const TskModalFormSlot&) = delete;
    TskModalFormSlot& operator=(const TskModalFormSlot&) = delete;

private:
    TDialogForm*& slot_;
};

// The dialogs' font where the skin gives none: "Arial", 14 pixels high, no style.
void SetDefaultDialogFont(cl::TFont* Font);

// Runs Event with Sender once Form is shown (tests answer dialogs through it).
void ForwardShowEvent(cl::TForm* Form, cl::TObject* Sender, const cl::TNotifyEvent& Event);

// A button of a dialog's row; the fonts and skin data left empty are not set.
struct TskDialogButtonArgs {
    std::string Name;
    std::string Caption;
    cl::TModalResult ModalResult = cl::mrNone;
    bool Default = false;
    bool Cancel = false;
    cl::TRect Bounds;
    int DefaultHeight = 0;
    cl::TFont* DefaultFont = nullptr;
    bool UseSkinFont = true;
    std::string SkinDataName;
    TskSkinData* SkinData = nullptr;
};

// A focusable skinned push button on Form, owned by it.
TskSkinButton* CreateDialogButton(cl::TForm* Form, const TskDialogButtonArgs& Args);

}  // namespace sk
