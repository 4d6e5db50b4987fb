// The receiving end of the skin messages: the walks over the form's controls, applying a skin
// to the frame, its caption objects and their hints, and the frame's size limits.
#include "skin/texts/ResourceStrData.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/bases/Graphic.h"
#include "skin/controls/StdLabel.h"
#include "skin/drawing/System.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/Tabs.h"
#include "skinforms/frame/Messages.h"

namespace sk {

namespace {

TskSkinData* MessageSkinData(const cl::TMessage& Message) { return reinterpret_cast<TskSkinData*>(Message.WParam); }

// Visits the control, then its children in Controls order, depth first.
template <class F>
void WalkControls(cl::TControl* Control, F& Visit)
{
    Visit(Control);
    auto* win = dynamic_cast<cl::TWinControl*>(Control);
    if (!win)
        return;
    // A visit may resize or even free later controls: the list is read afresh each step.
    for (int i = 0; i < win->ControlCount(); ++i)
        WalkControls(win->Controls(i), Visit);
}

bool Bound(TskSkinData* Own, TskSkinData* Data) { return !Data || Own == Data; }

// The hint key of a caption command; nullptr for commands without a standard hint.
const char* HintKey(TskStdCommand Command)
{
    switch (Command) {
    case cmClose: return "CLOSEBUTTON_HINT";
    case cmMaximize: return "MAXBUTTON_HINT";
    case cmMinimize: return "MINBUTTON_HINT";
    case cmSysMenu: return "MENUBUTTON_HINT";
    case cmRollUp: return "ROLLUPBUTTON_HINT";
    case cmMinimizeToTray: return "TRAYBUTTON_HINT";
    default: return nullptr;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Skin messages

bool TskSkinFrame::WMBeforeChangeSkinData(cl::TMessage& Message)
{
    TskSkinData* data = MessageSkinData(Message);
    if (!data || data != skinData_)
        return false;
    // A menu drawn from the skin must not outlive it.
    CloseSkinMenu();
    DropWorkImages();
    skinnedFrame_ = false;
    StopTimers();
    FreeObjects();
    BeforeChangeWalk(data);
    if (OnBeforeChangeSkinData)
        OnBeforeChangeSkinData(this);
    return false;
}

bool TskSkinFrame::WMChangeSkinData(cl::TMessage& Message)
{
    TskSkinData* data = MessageSkinData(Message);
    const cl::TAliveFlag alive = alive_;
    if (data && data == skinData_)
        ChangeSkinData();
    if (*alive)
        AfterChangeWalk(data);
    return false;
}

// Any skin data's load may have restyled controls of this form (each control may be bound to
// any skin data), so the end of every load is announced, not only the end of the frame's own.
bool TskSkinFrame::WMAfterChangeSkinData(cl::TMessage&)
{
    if (OnAfterChangeSkinData)
        OnAfterChangeSkinData(this);
    return false;
}

// Only the windowed skinned controls drop their descriptions: the windowless ones draw from
// an empty skin, which has none, until they are told again.
void TskSkinFrame::BeforeChangeWalk(TskSkinData* Data)
{
    auto visit = [Data](cl::TControl* Control) {
        if (auto* c = dynamic_cast<TskSkinControl*>(Control); c && Bound(c->SkinData(), Data))
            c->BeforeChangeSkinData();
    };
    WalkControls(form_, visit);
}

void TskSkinFrame::AfterChangeWalk(TskSkinData* Data)
{
    auto visit = [Data](cl::TControl* Control) {
        if (auto* c = dynamic_cast<TskSkinDataUser*>(Control); c && Bound(c->SkinData(), Data))
            c->ChangeSkinData();
    };
    WalkControls(form_, visit);
}

// ---------------------------------------------------------------------------------------------
// Applying a skin

void TskSkinFrame::ChangeSkinData()
{
    const cl::TAliveFlag alive = alive_;
    ActiveObject = OldActiveObject = CaptureObject = -1;
    DropWorkImages();
    // From here the window is drawn once, at the end. Whatever throws on the way, a frame that
    // still lives must follow its form's later sizes again.
    changingSkin_ = true;
    struct TSkinChangeEnd {
        TskSkinFrame* Frame;
        cl::TAliveFlag Alive;
        ~TSkinChangeEnd()
        {
            if (*Alive)
                Frame->changingSkin_ = false;
        }
    } changeEnd{this, alive};
    // A skin without a frame picture, or without a client rectangle in it, describes no frame:
    // the form keeps the default one.
    skinnedFrame_ = HasSkinPicture();
    if (!skinnedFrame_) {
        FreeObjects();
        SetFormRegion();
    } else {
        LoadObjects();
        CheckObjects();
    }
    const int minW = GetMinWidth();
    const int minH = GetMinHeight();
    const int w = form_->Width();
    const int h = form_->Height();
    if (minW > w || minH > h) {
        // Grown, the window stays on its work area; a child keeps its place in its parent.
        TRect r = cl::Bounds(form_->Left(), form_->Top(), std::max(w, minW), std::max(h, minH));
        if (!form_->Parent() && form_->FormStyle() != cl::fsMDIChild)
            r = KeptInside(r, MonitorAreas().WorkArea);
        form_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    } else {
        FitLayout();
    }
    if (RolledUp || WindowState == fwsMinimized)
        if (form_->Height() != GetMinHeight())
            form_->SetHeight(GetMinHeight());
    if (WindowState == fwsMinimized && form_->Width() != GetMinWidth())
        form_->SetWidth(GetMinWidth());
    fw_ = form_->Width();
    fh_ = form_->Height();
    if (skinnedFrame_)
        UpdateRegion(true);
    // Borders, client and children, drawn once with the next paint.
    if (form_->HandleAllocated())
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    UpdateActiveState(true);
    if (hoverTimer_)
        hoverTimer_->SetEnabled(true);
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    if (!*alive)
        return;
    changingSkin_ = false;
    if (ClientWidth > 0)
        form_->SetClientWidth(ClientWidth);
    if (ClientHeight > 0)
        form_->SetClientHeight(ClientHeight);
}

void TskSkinFrame::FreeObjects()
{
    // A hint shown or waiting for an object that goes would outlive it.
    HideObjectHint();
    if (MenuObject)
        MenuObject = nullptr;
    objects_.clear();
    ActiveObject = OldActiveObject = CaptureObject = -1;
}

void TskSkinFrame::LoadObjects()
{
    FreeObjects();
    if (!skinData_)
        return;
    TskDataSkinObjectList& list = skinData_->ObjectList;
    for (int i = 0; i < list.Count(); ++i) {
        TskDataSkinObject* d = list.Items(i);
        // Menus and the menu bar read these themselves.
        if (dynamic_cast<TskDataSkinMainMenuItem*>(d) || dynamic_cast<TskDataSkinMenuItem*>(d) ||
            dynamic_cast<TskDataSkinMainMenuBarButton*>(d))
            continue;
        std::unique_ptr<TskActiveSkinObject> object;
        if (auto* std = dynamic_cast<TskDataSkinStdButton*>(d))
            object = std::make_unique<TskSkinStdButtonObject>(this, std);
        else if (auto* button = dynamic_cast<TskDataSkinButton*>(d))
            object = std::make_unique<TskSkinButtonObject>(this, button);
        else if (auto* caption = dynamic_cast<TskDataSkinCaption*>(d))
            object = std::make_unique<TskSkinCaptionObject>(this, caption);
        else if (auto* animate = dynamic_cast<TskDataSkinAnimate*>(d))
            object = std::make_unique<TskSkinAnimateObject>(this, animate);
        else if (dynamic_cast<TskDataUserObject*>(d))
            object = std::make_unique<TskUserObject>(this, d);
        if (object)
            objects_.push_back(std::move(object));
    }
}

void TskSkinFrame::CreateDefaultButtons()
{
    FreeObjects();
    struct TDefault {
        const char* Name;
        TskStdCommand Command;
    };
    static constexpr TDefault defaults[] = {{"closebutton", cmClose},   {"maxbutton", cmMaximize},
                                            {"minbutton", cmMinimize},  {"rollupbutton", cmRollUp},
                                            {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
    for (const TDefault& d : defaults) {
        auto button = std::make_unique<TskSkinStdButtonObject>(this, nullptr);
        button->IDName = d.Name;
        button->Command = d.Command;
        button->ObjectRect = button->SkinRect = button->RestoreRect = cl::Rect(0, 0, 1, 1);
        button->SkinRectInAPicture = true;
        objects_.push_back(std::move(button));
    }
    CheckObjects();
}

void TskSkinFrame::CheckObjects()
{
    for (auto& object : objects_) {
        auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
        auto* animate = dynamic_cast<TskSkinAnimateObject*>(object.get());
        if (!button && !animate)
            continue;
        if (hideCaptionButtons_) {
            object->Enabled = false;
            object->Visible = !object->SkinRectInAPicture;
            continue;
        }
        if (animate && !animate->ButtonStyle)
            continue;
        const TskStdCommand command = button ? button->Command : animate->Command;
        switch (command) {
        case cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject)
                OnActivateCustomObject(object->IDName, visible);
            object->Visible = visible;
            break;
        }
        case cmMinimizeToTray: object->Visible = borderIcons_.Contains(biMinimizeToTray); break;
        case cmRollUp: object->Visible = borderIcons_.Contains(biRollUp); break;
        case cmMaximize: object->Visible = borderIcons_.Contains(biMaximize); break;
        case cmMinimize: object->Visible = borderIcons_.Contains(biMinimize); break;
        case cmSysMenu: object->Visible = borderIcons_.Contains(biSystemMenu); break;
        case cmClose: break;
        }
    }
    LoadButtonHints();
}

void TskSkinFrame::LoadButtonHints()
{
    if (!UseDefaultObjectHint || !skinData_ || objects_.empty())
        return;
    for (auto& object : objects_) {
        const char* key = nullptr;
        if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get()))
            key = HintKey(button->Command);
        else if (auto* animate = dynamic_cast<TskSkinAnimateObject*>(object.get()))
            key = HintKey(animate->Command);
        if (key)
            object->Hint = GetSkinResStr(skinData_->ResourceStrData(), key);
    }
}

TskSkinCaptionObject* TskSkinFrame::CaptionObject() const
{
    for (const auto& object : objects_)
        if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get()))
            return caption;
    return nullptr;
}

void TskSkinFrame::UpdateActiveState(bool Repaint)
{
    const bool active = IsActive();
    TskSkinCaptionObject* caption = nullptr;
    for (const auto& object : objects_)
        if (auto* c = dynamic_cast<TskSkinCaptionObject*>(object.get()); c && c->Active != active) {
            caption = c;
            break;
        }
    if (caption) {
        caption->Active = active;
        if (!Repaint) {
            if (caption->EnableMorphing())
                caption->MorphKf = active ? 1.0 : 0.0;
        } else {
            if (caption->HasAnimation()) {
                caption->RestartAnimation(active);
                StartAnimationTimer();
            }
            RepaintShownFrame();
            if (caption->EnableMorphing())
                StartMorphTimer();
        }
    }
    if (active) {
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

// ---------------------------------------------------------------------------------------------
// Size limits

int TskSkinFrame::DefaultCaptionHeight() const
{
    const bool tool = form_->BorderStyle() == cl::bsToolWindow || form_->BorderStyle() == cl::bsSizeToolWin;
    return tool ? 15 : 19;
}

int TskSkinFrame::DefaultButtonSize() const
{
    const bool tool = form_->BorderStyle() == cl::bsToolWindow || form_->BorderStyle() == cl::bsSizeToolWin;
    return tool ? 13 : 17;
}

// The least sizes come from a skin file, and no more than the work area's: a window the system
// cannot hold has no frame it could draw.
int TskSkinFrame::SkinMinWidth() const
{
    if (!HasSkinPicture())
        return MinWidth >= 1 ? MinWidth : 120;
    const int pw = skinData_->Picture->Width();
    if (MinWidth > pw && WindowState != fwsMinimized)
        return MinWidth;
    return skinData_->FormMinWidth >= 1 ? skinData_->FormMinWidth : pw;
}

int TskSkinFrame::SkinMinHeight() const
{
    const bool free = !RolledUp && WindowState != fwsMinimized;
    if (!HasSkinPicture()) {
        const int h = DefaultCaptionHeight() + 6;
        return MinHeight > h && free ? MinHeight : h;
    }
    const int fh = skinData_->Picture->Height() - skinData_->ClRect.Height();
    return MinHeight > fh && free ? MinHeight : fh;
}

int TskSkinFrame::GetMinWidth() const
{
    return std::min(SkinMinWidth(), MonitorAreas().WorkArea.Width());
}

int TskSkinFrame::GetMinHeight() const
{
    return std::min(SkinMinHeight(), MonitorAreas().WorkArea.Height());
}

bool TskSkinFrame::ReachesMinSize(int Width, int Height) const
{
    if (Width >= SkinMinWidth() && Height >= SkinMinHeight())
        return true;
    return Width >= GetMinWidth() && Height >= GetMinHeight();
}

POINT TskSkinFrame::MaxTrackSize() const
{
    const TskMonitorAreas areas = MonitorAreas();
    const cl::TRect& area = MaximizeOnFullScreen ? areas.Monitor : areas.WorkArea;
    const int w = area.Width(), h = area.Height();
    return {MaxWidth != 0 && MaxWidth < w ? MaxWidth : w, MaxHeight != 0 && MaxHeight < h ? MaxHeight : h};
}

int TskSkinFrame::GetMaxWidth() const { return MaxTrackSize().x; }

int TskSkinFrame::GetMaxHeight() const { return MaxTrackSize().y; }

}  // namespace sk
