// The control bases compose a state's image from the rectangle they are given, in every
// resize mode: the hover, pressed and checked states lie elsewhere in the picture.
#include "skin/controls/support.h"

#include "skin/bases/SkinCtrls.h"

using namespace controltest;

namespace {

// Shows the image of another state, as the buttons do.
class TStateControl : public TskSkinCustomControl {
public:
    using TskSkinCustomControl::TskSkinCustomControl;
    TRect State;
    void CreateControlSkinImage(TBitmap* B) override { CreateSkinControlImage(B, Picture(), State); }
};

}  // namespace

TEST(SkinBaseStates, EveryResizeModeComposesTheGivenRectangle)
{
    skctrltest::TTestForm form;
    TControlSkin skin;
    auto* d = AddButton(skin, "nine", 0);
    auto* h = AddButton(skin, "hstrip", 20);
    h->RBPoint = {0, 0};
    h->LBPoint = {0, 0};
    auto* v = AddButton(skin, "vstrip", 40);
    v->RBPoint = {0, 0};
    v->RTPoint = {0, 0};
    for (auto* desc : {static_cast<TskDataSkinButtonControl*>(d), h, v}) {
        SCOPED_TRACE(desc->IDName);
        auto* c = new TStateControl(form.Form);
        c->SetParent(form.Form);
        c->SetSkinDataName(desc->IDName);
        c->SetSkinData(skin.Data);
        c->SetBounds(0, 0, 70, 30);
        ASSERT_EQ(c->DescriptionIndex(), desc == d ? 0 : desc == h ? 1 : 2);
        c->State = desc->SkinRect;
        EXPECT_EQ(skctrltest::Snapshot(c)->Pixels(10, 9), Normal);
        c->State = desc->ActiveSkinRect;
        auto shot = skctrltest::Snapshot(c);
        EXPECT_EQ(shot->Pixels(10, 9), Hot);
        EXPECT_EQ(shot->Pixels(c->Width() - 5, 9), Hot) << "the stretched middle";
        EXPECT_EQ(shot->Pixels(0, 0), Edge);
        c->State = desc->DownSkinRect;
        EXPECT_EQ(skctrltest::Snapshot(c)->Pixels(10, 9), Pressed);
        c->Free();
    }
}
