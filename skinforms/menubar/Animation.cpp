// The main menu bar's moving faces: the morph that blends an object's normal and hot images,
// and the items' frame animation from the skin's strip of frames. Each runs on its own timer of
// the bar, started by a change of state and stopped by the first tick that changes nothing.
#include <algorithm>

#include "skinforms/menubar/MainMenuBar.h"

namespace sk {

using namespace cl;

namespace {

constexpr double MorphStep = 0.2;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Morphing

void TskMenuBarObject::FollowState()
{
    if (MorphingApplies() && CanMorphing())
        Parent->StartMorphTimer();
}

void TskSkinMainMenuBar::StartMorphTimer()
{
    if (!morphTimer_->Enabled())
        morphTimer_->SetEnabled(true);
}

void TskSkinMainMenuBar::MorphTimerTick(TObject*)
{
    bool any = false;
    for (auto& o : objects_) {
        if (!o->MorphingApplies() || !o->CanMorphing())
            continue;
        o->MorphKf = std::clamp(o->MorphKf + (o->Active ? MorphStep : -MorphStep), 0.0, 1.0);
        DrawObject(o.get());
        any = true;
    }
    if (!any)
        morphTimer_->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Frame animation

bool TskSkinMainMenuBarItem::HasFrameAnimation() const
{
    // A morphing item blends instead; the two never run together.
    if (!Data || !Picture || MorphingApplies())
        return false;
    const TskSkinData* data = Parent->SkinData();
    if (!data || data->Empty || !data->EnableSkinEffects)
        return false;
    const TRect& strip = Data->AnimateSkinRect;
    if (IsNullRect(strip) || Data->FrameCount < 1)
        return false;
    // A strip that cannot give every frame a pixel plays nothing rather than empty frames.
    const bool stacked = strip.Height() > Data->SkinRect.Height();
    return (stacked ? strip.Height() : strip.Width()) >= Data->FrameCount;
}

int TskSkinMainMenuBarItem::NextFrameIndex() const
{
    const int count = Data->FrameCount;
    if (Active)
        return std::min(FrameIndex + 1, count + 1);
    if (Data->InactiveAnimation)
        return std::max(FrameIndex - 1, 0);
    return 0;
}

TRect TskSkinMainMenuBarItem::FrameRect() const
{
    if (!HasFrameAnimation() || FrameIndex < 1 || FrameIndex > Data->FrameCount)
        return {};
    const TRect& strip = Data->AnimateSkinRect;
    const int i = FrameIndex - 1;
    if (strip.Height() > Data->SkinRect.Height()) {
        const int h = strip.Height() / Data->FrameCount;
        return cl::Rect(strip.Left, strip.Top + i * h, strip.Right, strip.Top + (i + 1) * h);
    }
    const int w = strip.Width() / Data->FrameCount;
    return cl::Rect(strip.Left + i * w, strip.Top, strip.Left + (i + 1) * w, strip.Bottom);
}

void TskSkinMainMenuBarItem::FollowState()
{
    TskMenuBarObject::FollowState();
    if (!HasFrameAnimation()) {
        FrameIndex = 0;
        framesLit_ = Active;
        return;
    }
    // Becoming hot plays the frames from the first; going cold plays them back from the last.
    if (Active != framesLit_) {
        framesLit_ = Active;
        FrameIndex = Active ? 0 : Data->FrameCount + 1;
    }
    if (NextFrameIndex() != FrameIndex)
        Parent->StartAnimateTimer(Data->AnimateInterval);
}

void TskSkinMainMenuBar::StartAnimateTimer(int Interval)
{
    if (Interval < 0 || animateTimer_->Enabled())
        return;
    animateTimer_->SetInterval(static_cast<unsigned>(std::max(1, Interval)));
    animateTimer_->SetEnabled(true);
}

void TskSkinMainMenuBar::AnimateTimerTick(TObject*)
{
    bool changed = false;
    for (int i = sysButtonCount_; i < ObjectCount(); ++i) {
        TskSkinMainMenuBarItem* item = ItemAt(i);
        if (!item || !item->HasFrameAnimation())
            continue;
        const int next = item->NextFrameIndex();
        if (next == item->FrameIndex)
            continue;
        item->FrameIndex = next;
        DrawObject(item);
        changed = true;
    }
    if (!changed)
        animateTimer_->SetEnabled(false);
}

}  // namespace sk
