#include "skin/controls/XFormButton.h"

#include "skin/drawing/Regions.h"

namespace sk {

using namespace cl;

TskSkinXFormButton::TskSkinXFormButton(TComponent* AOwner) : TskSkinButton(AOwner) { SetCanFocused(false); }

bool TskSkinXFormButton::OwnLook()
{
    GetSkinData();
    return index_ == -1 && !defImage_.Empty();
}

void TskSkinXFormButton::SetDefImage(TBitmap* Value)
{
    defImage_.Assign(Value);
    if (defImage_.Empty())
        return;
    SetDefaultHeight(defImage_.Height());
    SetDefaultWidth(defImage_.Width());
}

void TskSkinXFormButton::SetDefMask(TBitmap* Value)
{
    defMask_.Assign(Value);
    if (!defImage_.Empty())
        SetControlRegion();
}

void TskSkinXFormButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // The own pictures are drawn as they are: the button keeps their size.
    if (OwnLook()) {
        AWidth = defImage_.Width();
        AHeight = defImage_.Height();
    }
    TskSkinButton::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinXFormButton::ChangeSkinData()
{
    if (!OwnLook()) {
        TskSkinButton::ChangeSkinData();
        return;
    }
    SetBounds(Left(), Top(), defImage_.Width(), defImage_.Height());
    SetControlRegion();
    Repaint();
}

void TskSkinXFormButton::SetControlRegion()
{
    if (!OwnLook()) {
        TskSkinButton::SetControlRegion();
        return;
    }
    if (!HandleAllocated())
        return;
    if (defMask_.Empty()) {
        if (hasRegion_)
            SetWindowRgn(Handle(), nullptr, TRUE);
        hasRegion_ = false;
        return;
    }
    TskRegion rgn = CreateRegionFromMask(&defMask_);
    // From here on the window owns the region and releases the previous one itself.
    hasRegion_ = rgn.Handle() != nullptr;
    SetWindowRgn(Handle(), rgn.Release(), TRUE);
}

void TskSkinXFormButton::Loaded()
{
    TskSkinButton::Loaded();
    if (OwnLook() && !defMask_.Empty())
        SetControlRegion();
}

void TskSkinXFormButton::CreateControlDefaultImage(TBitmap* B)
{
    if (!OwnLook()) {
        TskSkinButton::CreateControlDefaultImage(B);
        return;
    }
    TCanvas* c = B->Canvas();
    SetCaptionFont(c, nullptr, false, DefaultFont(), SkinData());
    const bool pressed = PressedLook();
    const bool lit = Hot() || FocusedAndFocusable();
    if (pressed && !defDownImage_.Empty())
        c->Draw(0, 0, &defDownImage_);
    else if (lit && !defActiveImage_.Empty())
        c->Draw(0, 0, &defActiveImage_);
    else
        c->Draw(0, 0, &defImage_);
    if (pressed)
        c->Font()->SetColor(defDownFontColor_);
    else if (lit)
        c->Font()->SetColor(defActiveFontColor_);
    DrawDefaultCaption(c, ClientRect(), pressed);
}

}  // namespace sk
