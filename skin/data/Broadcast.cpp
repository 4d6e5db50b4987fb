// How a skin data tells the application's forms about a change.
#include "skin/data/SkinData.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <vector>

#include "classlib/controls/Forms.h"
#endif

namespace sk {

#ifdef _WIN32

namespace {

// The forms as they were when an announcement began. A receiver may free forms (they drop out
// here, through the free notification, before their memory can be reused by a new form) or
// open new ones (they were not there at the start and are not told).
class TFormSnapshot : public cl::TComponent {
public:
    TFormSnapshot() : cl::TComponent(nullptr)
    {
        if (!cl::Screen)
            return;
        for (int i = 0; i < cl::Screen->FormCount(); ++i) {
            cl::TCustomForm* form = cl::Screen->Forms(i);
            forms_.push_back(form);
            form->FreeNotification(this);
        }
    }
    int Count() const { return static_cast<int>(forms_.size()); }
    // nullptr once the form has gone.
    cl::TCustomForm* Forms(int Index) const { return forms_[static_cast<std::size_t>(Index)]; }
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override
    {
        cl::TComponent::Notification(AComponent, Operation);
        if (Operation == cl::opRemove)
            std::replace(forms_.begin(), forms_.end(), static_cast<cl::TCustomForm*>(AComponent),
                         static_cast<cl::TCustomForm*>(nullptr));
    }

private:
    std::vector<cl::TCustomForm*> forms_;
};

bool Receives(cl::TCustomForm* Form)
{
    return Form && !Form->ComponentState().Contains(cl::csDestroying);
}

void SendSkinMessage(cl::TCustomForm* Form, unsigned Msg, TskSkinData* Sender)
{
    SendMessageA(Form->Handle(), Msg, reinterpret_cast<WPARAM>(Sender), SkinMessageLParam);
}

}  // namespace

void TskSkinData::BroadcastSkinMessage(unsigned Msg)
{
    auto* ownerForm = dynamic_cast<cl::TCustomForm*>(Owner());
    TFormSnapshot forms;
    if (Receives(ownerForm))
        SendSkinMessage(ownerForm, Msg, this);
    for (int i = 0; i < forms.Count(); ++i) {
        cl::TCustomForm* form = forms.Forms(i);
        if (form != ownerForm && Receives(form))
            SendSkinMessage(form, Msg, this);
    }
    // Every control bound to the skin now has its new size and place, and the frames their
    // new borders, though nothing may have told the controls that the pointer is elsewhere.
    if (Msg == WM_AFTERCHANGESKINDATA && cl::Application)
        cl::Application->MouseControlMayHaveChanged();
}

#else

// Without a window system there are no forms to tell.
void TskSkinData::BroadcastSkinMessage(unsigned) {}

#endif

}  // namespace sk
