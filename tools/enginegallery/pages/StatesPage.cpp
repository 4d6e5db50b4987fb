// The frame's window states: a form rolled up to its caption and three forms minimized to
// caption strips along the bottom of a 640 by 480 work area.
#include <memory>
#include <vector>

#include "classlib/graphics/GdiHandles.h"
#include "enginegallery/EngineGallery.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/WorkArea.h"

namespace {

using namespace cl;
using namespace sk;

const TRect Area = Rect(0, 0, 640, 480);

using TFormOwner = std::unique_ptr<TForm, void (*)(TForm*)>;

TFormOwner MakeForm(const gallery::TGalleryContext& Context, const char* Caption, const TRect& R)
{
    TFormOwner form(new TForm(nullptr), [](TForm* F) { F->Free(); });
    form->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    form->SetCaption(Caption);
    auto* frame = new TskSkinFrame(form.get());
    frame->SetSkinData(Context.Skin);
    form->Show();
    return form;
}

void DrawStates(const gallery::TGalleryContext& Context)
{
    SetMonitorAreasSource([](HWND) { return TskMonitorAreas{Area, Area, Area}; });
    std::vector<TFormOwner> forms;
    forms.push_back(MakeForm(Context, "Rolled up", Rect(20, 20, 380, 260)));
    GetFormSkinComponent(forms.back().get())->RollUp(true);
    const char* captions[] = {"Options", "Account", "About"};
    for (int i = 0; i < 3; ++i) {
        forms.push_back(MakeForm(Context, captions[i], Rect(60 + 40 * i, 120 + 30 * i, 360 + 40 * i, 320 + 30 * i)));
        GetFormSkinComponent(forms.back().get())->SetWindowState(fwsMinimized);
    }
    gallery::Settle();
    TBitmap b;
    b.SetSize(Area.Width(), Area.Height());
    TWindowDC screen(nullptr);
    BitBlt(b.Canvas()->Handle(), 0, 0, Area.Width(), Area.Height(), screen.Handle(), Area.Left, Area.Top, SRCCOPY);
    Context.Save(b, "frame-states");
    forms.clear();
    SetMonitorAreasSource(nullptr);
}

gallery::TGalleryPage page("states", &DrawStates);

}  // namespace
