// TScreen: the forms that exist, which one is active, the screen's size and work area, and
// the cursors.
#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/controls/Forms.h"

namespace cl {

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TCustomForm* TScreen::Forms(int Index) const
{
    if (Index < 0 || Index >= FormCount())
        throw EListError(Format(consts::SListIndexError, Index));
    return forms_[static_cast<std::size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(forms_.begin(), forms_.end(), Form) == forms_.end())
        forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
    if (activeForm_ == Form) {
        activeForm_ = nullptr;
        activeControl_ = nullptr;
    }
}

void TScreen::SetActive(TCustomForm* Form, TWinControl* Control)
{
    activeForm_ = Form;
    activeControl_ = Control;
}

void TScreen::ControlRemoved(TWinControl* Control)
{
    if (activeControl_ && Control->ContainsControl(activeControl_))
        activeControl_ = nullptr;
}

void TScreen::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const
{
    if (workAreaQuery_)
        return workAreaQuery_();
    RECT r{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0))
        return {0, 0, Width(), Height()};
    return {r.left, r.top, r.right, r.bottom};
}

HCURSOR TScreen::Cursors(TCursor Index) const
{
    for (const auto& entry : cursors_)
        if (entry.first == Index)
            return entry.second;
    static const struct { TCursor id; LPCSTR res; } standard[] = {
        {crArrow, IDC_ARROW}, {crCross, IDC_CROSS}, {crIBeam, IDC_IBEAM}, {crSizeNESW, IDC_SIZENESW},
        {crSizeNS, IDC_SIZENS}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE}, {crUpArrow, IDC_UPARROW},
        {crHourGlass, IDC_WAIT}, {crDrag, IDC_ARROW}, {crNoDrop, IDC_NO}, {crNo, IDC_NO},
        {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP}, {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL}};
    if (Index == crNone)
        return nullptr;
    for (const auto& s : standard)
        if (s.id == Index)
            return LoadCursor(nullptr, s.res);
    return LoadCursor(nullptr, IDC_ARROW);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle)
{
    for (auto& entry : cursors_)
        if (entry.first == Index) {
            entry.second = Handle;
            return;
        }
    cursors_.emplace_back(Index, Handle);
}

void TScreen::SetCursor(TCursor Value)
{
    cursor_ = Value;
    if (Value != crDefault)
        ::SetCursor(Cursors(Value));
}

}  // namespace cl
