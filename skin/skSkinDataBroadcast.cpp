// How a skin data tells the application's forms about a change.
#include "skin/skSkinData.h"

// The forms unit of the layer comes after the skin data; until it is there, no form exists to
// be told, exactly as on a host without windows.
#if defined(_WIN32) && __has_include("classlib/Forms.h")
#define SK_HAVE_FORMS 1
#include <windows.h>

#include <vector>

#include "classlib/Forms.h"
#endif

namespace sk {

#ifdef SK_HAVE_FORMS

namespace {

// A form of the snapshot may have gone while an earlier receiver ran.
bool StillAForm(cl::TForm* Form)
{
    for (int i = 0; i < cl::Screen->FormCount(); ++i)
        if (cl::Screen->Forms(i) == Form)
            return true;
    return false;
}

void SendSkinMessage(cl::TForm* Form, unsigned Msg, TskSkinData* Sender)
{
    SendMessageA(Form->Handle(), Msg, reinterpret_cast<WPARAM>(Sender), SkinMessageLParam);
}

}  // namespace

void TskSkinData::BroadcastSkinMessage(unsigned Msg)
{
    cl::TForm* ownerForm = dynamic_cast<cl::TForm*>(Owner());
    // Receivers may open or close forms; the order is the one at the start.
    std::vector<cl::TForm*> forms;
    forms.reserve(static_cast<std::size_t>(cl::Screen->FormCount()));
    for (int i = 0; i < cl::Screen->FormCount(); ++i)
        forms.push_back(cl::Screen->Forms(i));

    if (ownerForm)
        SendSkinMessage(ownerForm, Msg, this);
    for (cl::TForm* form : forms)
        if (form != ownerForm && StillAForm(form))
            SendSkinMessage(form, Msg, this);
}

#else

// Without a window system there are no forms to tell.
void TskSkinData::BroadcastSkinMessage(unsigned) {}

#endif

}  // namespace sk
