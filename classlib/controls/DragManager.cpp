// Drag and drop between controls: one drag at a time, driven by a hidden window that holds
// the mouse capture while the button is down. Targets hear CM_DRAG (enter, move, leave, drop).
#include <cstdlib>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/controls/Forms.h"
#include "classlib/graphics/ImgList.h"

namespace cl {

// Holds the state of the one drag that may run; a component so that it hears when the
// dragged control or the target goes away.
class TDragManager : public TComponent {
public:
    TDragManager() : TComponent(nullptr) {}

    bool Active() const { return control_ != nullptr; }
    TControl* Control() const { return control_; }

    void Begin(TControl* Control, bool Immediate, int Threshold);
    void MoveTo(const TPoint& Pos);
    void Done(bool Drop);

    static TDragManager& Instance()
    {
        static TDragManager* manager = new TDragManager;
        return *manager;
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void CaptureMessage(TMessage& Message);
    HWND CaptureWindow();
    LRESULT SendDrag(TDragMessage Message, TControl* Target, const TPoint& Pos);
    void SetTarget(TControl* Target);
    void ShowCursor(bool Accepted, const TPoint& Pos);

    TControl* control_ = nullptr;
    TDragObject* object_ = nullptr;
    bool ownObject_ = false;
    TControl* target_ = nullptr;
    TPoint start_;
    TPoint last_;
    int threshold_ = 5;
    bool started_ = false;
    bool accepted_ = false;
    HWND captureWnd_ = nullptr;
    bool ending_ = false;
};

// ---------------------------------------------------------------------------------------------

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y)
{
    return Accepted ? control_->DragCursor() : crNoDrop;
}

TDragImageList* TDragControlObject::GetDragImages() { return control_->GetDragImages(); }

TObject* TDragControlObject::SourceObject() { return control_; }

HWND TDragManager::CaptureWindow()
{
    if (!captureWnd_)
        captureWnd_ = AllocateHWnd([this](TMessage& Message) {
            try {
                CaptureMessage(Message);
            } catch (...) {
                HandleEntryException(control_);
            }
        }, false);
    return captureWnd_;
}

void TDragManager::CaptureMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE: {
        POINT p{Message.XPos(), Message.YPos()};
        ClientToScreen(captureWnd_, &p);
        MoveTo({p.x, p.y});
        return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        Done(true);
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_ESCAPE)
            Done(false);
        else if (Message.WParam == VK_CONTROL || Message.WParam == VK_SHIFT)
            MoveTo(last_);  // the copy cursor follows Ctrl
        return;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(Message.LParam) != captureWnd_ && Active() && !ending_)
            Done(false);
        return;
    }
    Message.Result = DefWindowProcA(captureWnd_, Message.Msg, Message.WParam, Message.LParam);
}

void TDragManager::Begin(TControl* Control, bool Immediate, int Threshold)
{
    if (Active())
        return;
    TDragObject* object = nullptr;
    Control->DoStartDrag(object);
    ownObject_ = object == nullptr;
    object_ = object ? object : new TDragControlObject(Control);
    control_ = Control;
    Control->FreeNotification(this);
    target_ = nullptr;
    accepted_ = false;
    started_ = false;
    threshold_ = Threshold < 0 ? Mouse->DragThreshold() : Threshold;
    start_ = last_ = Mouse->CursorPos();
    ReleaseCapture();
    SetCapture(CaptureWindow());
    if (Immediate)
        MoveTo(start_);
}

LRESULT TDragManager::SendDrag(TDragMessage Message, TControl* Target, const TPoint& Pos)
{
    TDragRec rec{Pos, object_, Target};
    return Target->Perform(CM_DRAG, Message, reinterpret_cast<LPARAM>(&rec));
}

void TDragManager::SetTarget(TControl* Target)
{
    if (Target == target_)
        return;
    if (target_) {
        TControl* old = target_;
        target_ = nullptr;
        SendDrag(dmDragLeave, old, last_);
        if (old != control_)
            old->RemoveFreeNotification(this);
    }
    target_ = Target;
    if (target_) {
        target_->FreeNotification(this);
        accepted_ = SendDrag(dmDragEnter, target_, last_) != 0;
    }
}

void TDragManager::ShowCursor(bool Accepted, const TPoint& Pos)
{
    const TPoint local = target_ ? target_->ScreenToClient(Pos) : Pos;
    ::SetCursor(Screen->Cursors(object_->GetDragCursor(Accepted, local.X, local.Y)));
}

void TDragManager::MoveTo(const TPoint& Pos)
{
    if (!Active())
        return;
    last_ = Pos;
    if (!started_) {
        if (std::abs(Pos.X - start_.X) < threshold_ && std::abs(Pos.Y - start_.Y) < threshold_)
            return;
        started_ = true;
        if (TDragImageList* images = object_->GetDragImages())
            images->BeginDrag(nullptr, Pos.X, Pos.Y);
    }
    object_->dragPos_ = Pos;
    SetTarget(FindDragTarget(Pos, false));
    if (!Active())
        return;  // a handler ended the drag
    if (target_)
        accepted_ = SendDrag(dmDragMove, target_, Pos) != 0;
    else
        accepted_ = false;
    if (!Active())
        return;
    if (TDragImageList* images = object_->GetDragImages())
        images->DragMove(Pos.X, Pos.Y);
    ShowCursor(accepted_, Pos);
}

void TDragManager::Done(bool Drop)
{
    if (!Active() || ending_)
        return;
    ending_ = true;
    TControl* control = control_;
    TDragObject* object = object_;
    const bool own = ownObject_;
    if (TDragImageList* images = started_ ? object->GetDragImages() : nullptr)
        images->EndDrag();
    if (GetCapture() == captureWnd_)
        ReleaseCapture();
    TControl* target = target_;
    const bool dropped = Drop && started_ && target && accepted_;
    TPoint targetPos;
    object->cancelling_ = !Drop;
    if (target) {
        targetPos = target->ScreenToClient(last_);
        object->dragTarget_ = target;
        object->dragTargetPos_ = targetPos;
        if (dropped) {
            object->dropped_ = true;
            SendDrag(dmDragDrop, target, last_);
        } else {
            SendDrag(dmDragLeave, target, last_);
        }
    }
    // The drag is over before anyone hears how it ended.
    control_ = nullptr;
    object_ = nullptr;
    if (target_ && target_ != control)
        target_->RemoveFreeNotification(this);
    target_ = nullptr;
    ending_ = false;
    if (control) {
        control->RemoveFreeNotification(this);
        control->DoEndDrag(dropped ? target : nullptr, targetPos.X, targetPos.Y);
    }
    if (own)
        delete object;
}

void TDragManager::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == target_)
        target_ = nullptr;
    if (AComponent == control_) {
        // The dragged control went: the drag ends with nobody to tell.
        if (GetCapture() == captureWnd_)
            ReleaseCapture();
        control_ = nullptr;
        if (ownObject_)
            delete object_;
        object_ = nullptr;
        if (target_)
            target_->RemoveFreeNotification(this);
        target_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// TControl's side

void TControl::BeginDrag(bool Immediate, int Threshold) { TDragManager::Instance().Begin(this, Immediate, Threshold); }

void TControl::EndDrag(bool Drop)
{
    if (Dragging())
        TDragManager::Instance().Done(Drop);
}

bool TControl::Dragging() const { return TDragManager::Instance().Control() == this; }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}

void TControl::CMDrag(TMessage& Message)
{
    auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
    if (!rec || !rec->Source)
        return;
    const TPoint local = ScreenToClient(rec->Pos);
    TObject* source = rec->Source->SourceObject();
    switch (Message.WParam) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        static constexpr TDragState states[] = {dsDragEnter, dsDragLeave, dsDragMove};
        bool accept = false;
        DragOver(source, local.X, local.Y, states[Message.WParam], accept);
        Message.Result = accept ? 1 : 0;
        break;
    }
    case dmDragDrop:
        DragDrop(source, local.X, local.Y);
        break;
    default:
        break;
    }
}

}  // namespace cl
