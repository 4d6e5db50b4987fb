// MDI forms: the questions an MDI form answers about its children, and the arrangements it
// asks of its MDI client window.
#include "classlib/Forms.h"

namespace cl {

namespace {

TCustomForm* FormOfWindow(HWND Wnd)
{
    return dynamic_cast<TCustomForm*>(TWinControl::FindControl(Wnd));
}

}  // namespace

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (formStyle_ != fsMDIForm || !clientHandle_)
        return nullptr;
    return FormOfWindow(reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0)));
}

int TCustomForm::MDIChildCount() const
{
    int n = 0;
    while (MDIChildren(n))
        ++n;
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) const
{
    if (formStyle_ != fsMDIForm || !clientHandle_ || Index < 0)
        return nullptr;
    int i = 0;
    for (HWND w = GetWindow(clientHandle_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        TCustomForm* form = FormOfWindow(w);
        if (!form || form->FormStyle() != fsMDIChild)
            continue;
        if (i++ == Index)
            return form;
    }
    return nullptr;
}

void TCustomForm::Cascade()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::Next()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDINEXT, 0, 1);
}

}  // namespace cl
