// The window list of an MDI form and an MDI child frame's item in it.
#include "skinforms/frame/WindowList.h"

#include "skinforms/frame/Frame.h"

namespace sk {

cl::TCustomForm* MDIMainForm()
{
    cl::TCustomForm* main = cl::Application ? cl::Application->MainForm() : nullptr;
    return main && main->FormStyle() == cl::fsMDIForm ? main : nullptr;
}

TskMDIWindowListItem::TskMDIWindowListItem(cl::TComponent* AOwner, cl::TCustomForm* AChild)
    : cl::TMenuItem(AOwner), child_(AChild)
{
    SetName(AChild->Name() + WindowListItemSuffix);
    SetCaption(AChild->Caption());
}

void UpdateMDIWindowListChecks(cl::TCustomForm* MainForm)
{
    cl::TMenuItem* list = MainForm ? MainForm->WindowMenu() : nullptr;
    if (!list)
        return;
    cl::TCustomForm* active = MainForm->ActiveMDIChild();
    for (int i = 0; i < list->Count(); ++i)
        if (auto* item = dynamic_cast<TskMDIWindowListItem*>(list->Items(i)))
            item->SetChecked(item->Child() == active);
}

void ShowMDIChild(cl::TCustomForm* Child)
{
    if (!Child)
        return;
    if (Child->HandleAllocated() && IsIconic(Child->Handle()))
        ShowWindow(Child->Handle(), SW_RESTORE);
    if (TskSkinFrame* frame = GetFormSkinComponent(Child); frame && frame->WindowState == fwsMinimized)
        frame->MDIChildRestore();
    Child->Show();
    if (cl::TCustomForm* main = MDIMainForm(); main && main->ClientHandle() && Child->HandleAllocated())
        SendMessageA(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
}

// ---------------------------------------------------------------------------------------------
// The child frame's item

void TskSkinFrame::AddWindowListItem()
{
    cl::TCustomForm* main = MDIMainForm();
    cl::TMenuItem* list = main ? main->WindowMenu() : nullptr;
    if (!list || windowListItem_)
        return;
    auto* item = new TskMDIWindowListItem(this, form_);
    item->OnClick = cl::TNotifyEvent(this, &TskSkinFrame::WindowListItemClick);
    windowListItem_.Set(item);
    list->Add(item);
    UpdateMDIWindowListChecks(main);
}

void TskSkinFrame::RemoveWindowListItem()
{
    if (cl::TMenuItem* item = windowListItem_) {
        windowListItem_.Set(nullptr);
        item->Free();
    }
}

void TskSkinFrame::RenameWindowListItem()
{
    if (windowListItem_)
        windowListItem_->SetCaption(form_->Caption());
}

void TskSkinFrame::WindowListItemClick(cl::TObject*) { ShowMDIChild(form_); }

}  // namespace sk
