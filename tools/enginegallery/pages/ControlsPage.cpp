// A form holding every basic skinned control in its states: a tool bar of speed buttons (one
// hot, one latched), buttons normal, hot, pressed and disabled, check and radio boxes in each
// state, a track bar, a captioned panel, roll-up panels open and rolled, labels and a status
// bar with its grip.
#include <memory>
#include <string>

#include "enginegallery/EngineGallery.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckRadioBox.h"
#include "skin/controls/ExPanel.h"
#include "skin/controls/SpeedButton.h"
#include "skin/controls/StatusBar.h"
#include "skin/controls/StdLabel.h"
#include "skin/controls/ToolBar.h"
#include "skin/controls/TrackBar.h"
#include "skin/controls/XFormButton.h"

namespace {

using namespace cl;
using namespace sk;

template <class T>
T* Place(TForm* Form, TWinControl* Parent, int X, int Y, int W, int H, const char* Caption = "")
{
    auto* c = new T(Form);
    c->SetParent(Parent);
    c->SetBounds(X, Y, W, H);
    if (*Caption)
        c->SetCaption(Caption);
    return c;
}

const char* const Tools[] = {"Stations", "Favorites", "Reload", "Skins", "Options", "Compact", "About", "Exit"};

// Speed buttons on a tool bar: one latched, one hot, one disabled.
void PlaceToolBar(TForm* F, TskSkinData* Skin)
{
    auto* bar = Place<TskSkinToolBar>(F, F, 0, 0, 820, 25);
    bar->SetAlign(alTop);
    std::vector<TskSkinSpeedButton*> speed;
    for (int i = 0; i < 8; ++i) {
        auto* b = Place<TskSkinSpeedButton>(F, bar, 800, 0, 100, 23, Tools[i]);
        b->SetAlign(alLeft);
        speed.push_back(b);
    }
    speed[1]->SetGroupIndex(1);
    speed[1]->SetDown(true);
    speed[7]->SetEnabled(false);
    bar->SetSkinData(Skin);
    speed[2]->Perform(CM_MOUSEENTER);
}

void PlaceButtons(TForm* F, TskSkinData* Skin)
{
    const char* states[] = {"Normal", "Hot", "Pressed", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* b = Place<TskSkinButton>(F, F, 10 + i * 85, 40, 75, 25, states[i]);
        b->SetCanFocused(false);
        b->SetSkinData(Skin);
        if (i == 1)
            b->Perform(CM_MOUSEENTER);
        if (i == 2) {
            b->SetGroupIndex(2);
            b->SetDown(true);
        }
        if (i == 3)
            b->SetEnabled(false);
    }
}

void PlaceCheckAndRadioBoxes(TForm* F, TskSkinData* Skin)
{
    const char* checks[] = {"Unchecked", "Checked", "Grayed", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* c = Place<TskSkinCheckRadioBox>(F, F, 10 + i * 100, 75, 95, 25, checks[i]);
        c->SetSkinData(Skin);
        if (i == 1 || i == 3)
            c->SetChecked(true);
        if (i == 2) {
            c->SetAllowGrayed(true);
            c->SetState(cbGrayed);
        }
        if (i == 3)
            c->SetEnabled(false);
        auto* r = Place<TskSkinCheckRadioBox>(F, F, 10 + i * 100, 100, 95, 25, i == 2 ? "Hot" : checks[i]);
        r->SetSkinDataName("radiobox");
        r->SetRadio(true);
        r->SetSkinData(Skin);
        if (i == 1)
            r->SetChecked(true);
        if (i == 2)
            r->Perform(CM_MOUSEENTER);
        if (i == 3)
            r->SetEnabled(false);
    }
}

void PlaceTrackBarAndLabels(TForm* F, TskSkinData* Skin)
{
    auto* track = Place<TskSkinTrackBar>(F, F, 10, 135, 200, 20);
    track->SetSkinData(Skin);
    track->SetValue(70);
    auto* label = Place<TskSkinStdLabel>(F, F, 220, 137, 100, 16, "Volume & more");
    label->SetShowAccelChar(false);
    label->SetSkinData(Skin);
    auto* off = Place<TskSkinStdLabel>(F, F, 330, 137, 100, 16, "Disabled label");
    off->SetEnabled(false);
    off->SetSkinData(Skin);
}

// A captioned panel, and roll-up panels open, rolled up and rolled sideways.
void PlacePanels(TForm* F, TskSkinData* Skin)
{
    auto* panel = Place<TskSkinPanel>(F, F, 10, 165, 190, 160, "Panel");
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetRollUpMode(true);
    panel->SetChecked(true);
    panel->SetSkinData(Skin);
    auto* open = Place<TskSkinExPanel>(F, F, 210, 165, 190, 160, "Radio Stations");
    open->SetSkinData(Skin);
    auto* rolled = Place<TskSkinExPanel>(F, F, 410, 165, 190, 160, "More...");
    rolled->SetSkinData(Skin);
    rolled->SetRollState(true);
    auto* side = Place<TskSkinExPanel>(F, F, 610, 165, 190, 160, "Sideways");
    side->SetRollKind(rkRollHorizontal);
    side->SetSkinData(Skin);
    side->SetRollState(true);
}

void DrawControls(const gallery::TGalleryContext& Context)
{
    TskSkinData* skin = Context.Skin;
    // Hot states show at once rather than after their fade.
    const bool effects = skin->EnableSkinEffects;
    skin->EnableSkinEffects = false;
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* F) { F->Free(); });
    TForm* f = form.get();
    f->SetBounds(20, 20, 820, 420);
    f->SetCaption("Controls");
    PlaceToolBar(f, skin);
    PlaceButtons(f, skin);
    PlaceCheckAndRadioBoxes(f, skin);
    PlaceTrackBarAndLabels(f, skin);
    PlacePanels(f, skin);

    // A tool bar too narrow for its buttons: its scroll buttons show, the right one hot.
    auto* scroller = Place<TskSkinToolBar>(f, f, 10, 335, 300, 25);
    scroller->SetCanScroll(true);
    for (int i = 0; i < 8; ++i)
        Place<TskSkinSpeedButton>(f, scroller, i * 60, 0, 60, 23, Tools[i]);
    scroller->SetSkinData(skin);

    // A form button drawn from its own picture (no skin describes it).
    auto* own = Place<TskSkinXFormButton>(f, f, 330, 335, 75, 25, "Own");
    own->SetSkinDataName("xformbutton");
    TBitmap picture;
    picture.SetSize(70, 24);
    picture.Fill(0x3C8C50);
    own->SetDefImage(&picture);
    own->SetSkinData(skin);

    auto* status = Place<TskSkinStatusBar>(f, f, 0, 380, 820, 21, "Ready");
    status->SetSizeGrip(true);
    status->SetSkinData(skin);

    f->Show();
    gallery::Settle();
    const TPoint right = scroller->ClientToScreen({scroller->ClientWidth() + 4, 10});
    SendMessageA(scroller->Handle(), WM_NCMOUSEMOVE, HTRIGHTSCROLLBUTTON, MAKELPARAM(right.X, right.Y));
    gallery::Settle();
    Context.SaveWindow(f->Handle(), "controls");
    form.reset();
    skin->EnableSkinEffects = effects;
}

gallery::TGalleryPage page("controls", &DrawControls);

}  // namespace
