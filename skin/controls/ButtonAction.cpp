// The push button's action: what it takes from the action, the glyph from the action's image
// list, and the click that runs the action.
#include "classlib/graphics/ImgList.h"
#include "skin/controls/Button.h"
#include "skin/controls/ButtonActionLink.h"

namespace sk {

using namespace cl;

namespace {
// The colour a glyph's background is drawn in and left out in when the glyph is drawn.
constexpr TColor GlyphBackground = 0xFF00FF;
}  // namespace

TBasicAction* TskSkinButton::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TskSkinButton::SetAction(TBasicAction* Value)
{
    if (!Value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = std::make_unique<TskSkinButtonActionLink>(this);
    actionLink_->SetAction(Value);
    actionLink_->OnChange = [this](TObject* Sender) {
        if (actionLink_ && Sender == static_cast<TObject*>(actionLink_->Action()))
            ActionChange(Sender, false);
    };
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

void TskSkinButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    const TAliveFlag alive = alive_;
    if (!CheckDefaults || Caption().empty())
        SetCaption(action->Caption());
    if (!CheckDefaults || Enabled())
        SetEnabled(action->Enabled());
    if (!CheckDefaults || Hint().empty())
        SetHint(action->Hint());
    if (!CheckDefaults || Visible())
        SetVisible(action->Visible());
    if (!CheckDefaults || !OnClick)
        OnClick = action->OnExecute();
    if (*alive)
        TakeActionGlyph(action);
}

void TskSkinButton::TakeActionGlyph(TCustomAction* Action)
{
    TCustomImageList* images = Action->ActionList() ? Action->ActionList()->Images() : nullptr;
    const int index = Action->ImageIndex();
    if (!images || !glyph_.Empty() || index < 0 || index >= images->Count())
        return;
    glyph_.SetSize(images->Width(), images->Height());
    glyph_.Fill(GlyphBackground);
    images->Draw(glyph_.Canvas(), 0, 0, index, true);
    Repaint();
}

void TskSkinButton::Click()
{
    const TAliveFlag alive = alive_;
    if (canFocused_)
        if (auto* form = GetParentForm(this))
            form->SetModalResult(modalResult_);
    if (!*alive)
        return;
    TBasicAction* action = Action();
    if (OnClick && action && OnClick != action->OnExecute())
        OnClick(this);
    else if (!Designing() && action)
        actionLink_->Execute(this);
    else if (OnClick)
        OnClick(this);
}

// ---------------------------------------------------------------------------------------------
// TskSkinButtonActionLink

TskSkinButtonActionLink::TskSkinButtonActionLink(TskSkinButton* Button) : TActionLink(Button), button_(Button) {}

TCustomAction* TskSkinButtonActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

bool TskSkinButtonActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && CustomAction() && button_->Caption() == CustomAction()->Caption();
}

bool TskSkinButtonActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && CustomAction() && button_->Enabled() == CustomAction()->Enabled();
}

bool TskSkinButtonActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && CustomAction() && button_->Hint() == CustomAction()->Hint();
}

bool TskSkinButtonActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && CustomAction() && button_->Visible() == CustomAction()->Visible();
}

bool TskSkinButtonActionLink::IsOnExecuteLinked()
{
    return TActionLink::IsOnExecuteLinked() && button_->OnClick == Action()->OnExecute();
}

void TskSkinButtonActionLink::SetCaption(const AnsiString& Value)
{
    if (IsCaptionLinked())
        button_->SetCaption(Value);
}

void TskSkinButtonActionLink::SetEnabled(bool Value)
{
    if (IsEnabledLinked())
        button_->SetEnabled(Value);
}

void TskSkinButtonActionLink::SetHint(const AnsiString& Value)
{
    if (IsHintLinked())
        button_->SetHint(Value);
}

void TskSkinButtonActionLink::SetVisible(bool Value)
{
    if (IsVisibleLinked())
        button_->SetVisible(Value);
}

void TskSkinButtonActionLink::SetOnExecute(const TNotifyEvent& Value)
{
    if (IsOnExecuteLinked())
        button_->OnClick = Value;
}

}  // namespace sk
