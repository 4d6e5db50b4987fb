// The caption-area objects: what each draws in which state and how each takes the mouse.
#include "skinforms/frame/Objects.h"

#include <cmath>

#include "skin/drawing/DefaultLook.h"
#include "skin/drawing/Effects.h"
#include "skin/drawing/Glyphs.h"
#include "skinforms/frame/Frame.h"

namespace sk {

namespace {

constexpr double MorphStep = 0.2;
// Repeated steps of 0.2 miss 0 and 1 by a rounding error; within this they are taken as there.
constexpr double MorphSnap = 1e-9;

cl::TBitmap* ActivePictureOf(TskSkinData* Data, int Index)
{
    return Data ? Data->ActivePictures.Items(Index) : nullptr;
}

// R of Source into a new effect bitmap of W by H (the part outside Source stays black).
std::unique_ptr<TskEffectBmp> EffectOf(cl::TBitmap* Source, const TRect& R, int W, int H)
{
    cl::TBitmap b;
    b.SetSize(W, H);
    b.Fill(0);
    if (Source && !Source->Empty())
        BitBlt(b.Canvas()->Handle(), 0, 0, W, H, Source->Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
    return TskEffectBmp::CreateFromHandle(b.Handle());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Base object

TskActiveSkinObject::TskActiveSkinObject(TskSkinFrame* AParent, TskDataSkinObject* Description) : Parent(AParent)
{
    SkinData = AParent->SkinData();
    if (SkinData)
        Picture = SkinData->Picture.get();
    if (!Description)
        return;
    IDName = Description->IDName;
    Hint = Description->Hint;
    SkinRect = Description->SkinRect;
    ActiveSkinRect = Description->ActiveSkinRect;
    InActiveSkinRect = Description->InactiveSkinRect;
    Morphing = Description->Morphing;
    MorphKind = Description->MorphKind;
    SkinRectInAPicture = Description->SkinRectInAPicture;
    ActivePicture = ActivePictureOf(SkinData, Description->ActivePictureIndex);
    if (!ActivePicture)
        ActiveSkinRect = TRect();
    if (IsNullRect(ActiveSkinRect))
        Morphing = false;
    ObjectRect = SkinRect;
}

bool TskActiveSkinObject::EnableMorphing() const
{
    return Morphing && SkinData && !SkinData->Empty && SkinData->EnableSkinEffects;
}

bool TskActiveSkinObject::CanMorphing() { return MorphUnderWay(); }

void TskActiveSkinObject::StepMorph()
{
    if (Active) {
        MorphKf += MorphStep;
        if (MorphKf > 1 - MorphSnap)
            MorphKf = 1;
    } else {
        MorphKf -= MorphStep;
        if (MorphKf < MorphSnap)
            MorphKf = 0;
    }
}

void TskActiveSkinObject::ReDraw()
{
    if (EnableMorphing())
        Parent->StartMorphTimer();
    else
        ReDrawObject();
}

void TskActiveSkinObject::ReDrawObject()
{
    cl::TCustomForm* form = Parent->Form();
    if (form->BorderStyle() == cl::bsNone || !form->HandleAllocated())
        return;
    cl::TWindowDC dc(form->Handle(), cl::TWindowDC::TArea::Window);
    if (!dc)
        return;
    cl::TCanvas canvas;
    canvas.SetHandle(dc.Handle());
    Draw(&canvas, true);
    canvas.SetHandle(nullptr);
}

void TskActiveSkinObject::ResetState()
{
    Active = false;
    MouseIn = false;
    MorphKf = 0;
}

void TskActiveSkinObject::CopyImage(cl::TCanvas* Canvas, cl::TBitmap* Source, const TRect& R)
{
    if (!Source || Source->Empty())
        return;
    BitBlt(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top, ObjectRect.Width(), ObjectRect.Height(),
           Source->Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
}

void TskActiveSkinObject::DrawMorph(cl::TCanvas* Canvas, cl::TBitmap* Normal, const TRect& R, const TRect& ActiveR)
{
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    if (w < 1 || h < 1)
        return;
    std::unique_ptr<TskEffectBmp> from = EffectOf(Normal, R, w, h);
    std::unique_ptr<TskEffectBmp> to = EffectOf(ActivePicture, ActiveR, w, h);
    from->MorphByKind(MorphKind, *to, MorphKf);
    from->Draw(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TskActiveSkinObject::Draw(cl::TCanvas* Canvas, bool UpDate)
{
    if (Enabled && !Parent->IsActive() && !IsNullRect(InActiveSkinRect)) {
        CopyImage(Canvas, ActivePicture, InActiveSkinRect);
    } else if (EnableMorphing() && MorphUnderWay()) {
        DrawMorph(Canvas, NormalPicture(), SkinRect, ActiveSkinRect);
    } else if (Active && !IsNullRect(ActiveSkinRect)) {
        CopyImage(Canvas, ActivePicture, ActiveSkinRect);
    } else if (UpDate || SkinRectInAPicture) {
        CopyImage(Canvas, NormalPicture(), SkinRect);
    }
}

void TskActiveSkinObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
}

void TskActiveSkinObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
}

void TskActiveSkinObject::MouseDown(int X, int Y, cl::TMouseButton Button)
{
    if (Parent->OnMouseDownEvent)
        Parent->OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseUp(int X, int Y, cl::TMouseButton Button)
{
    if (MouseIn && Parent->OnMouseUpEvent)
        Parent->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseMove(int X, int Y)
{
    if (Parent->OnMouseMoveEvent)
        Parent->OnMouseMoveEvent(IDName, X, Y, ObjectRect);
}

// ---------------------------------------------------------------------------------------------
// User object

void TskUserObject::Draw(cl::TCanvas* Canvas, bool)
{
    if (Parent->OnPaintEvent)
        Parent->OnPaintEvent(IDName, Canvas, ObjectRect);
}

// ---------------------------------------------------------------------------------------------
// Button object

TskSkinButtonObject::TskSkinButtonObject(TskSkinFrame* AParent, TskDataSkinButton* Description)
    : TskActiveSkinObject(AParent, Description)
{
    if (!Description)
        return;
    DisableSkinRect = Description->DisableSkinRect;
    DownSkinRect = Description->DownRect;
}

bool TskSkinButtonObject::CanMorphing()
{
    if (Menu && Down)
        return false;
    return TskActiveSkinObject::CanMorphing();
}

void TskSkinButtonObject::Draw(cl::TCanvas* Canvas, bool UpDate)
{
    if (!Enabled && !IsNullRect(DisableSkinRect))
        CopyImage(Canvas, ActivePicture, DisableSkinRect);
    else if (Down && !IsNullRect(DownSkinRect) && MouseIn)
        CopyImage(Canvas, ActivePicture, DownSkinRect);
    else
        TskActiveSkinObject::Draw(Canvas, UpDate);
}

void TskSkinButtonObject::SetDown(bool Value)
{
    Down = Value;
    if (EnableMorphing() && Active)
        MorphKf = 1;
    ReDrawObject();
    if (EnableMorphing() && !Down)
        ReDraw();
}

void TskSkinButtonObject::OpenMenu()
{
    if (Menu && Menu->Count() > 0)
        Parent->OpenObjectMenu(Menu, Parent->ObjectScreenRect(this));
}

void TskSkinButtonObject::MouseDown(int X, int Y, cl::TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == cl::mbLeft && !Down) {
        SetDown(true);
        if (Menu) {
            Parent->MenuObject = this;
            OpenMenu();
        }
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinButtonObject::MouseUp(int X, int Y, cl::TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == cl::mbLeft && !Menu && Down)
        SetDown(false);
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinButtonObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (Down && !IsNullRect(DownSkinRect)) {
        if (EnableMorphing())
            MorphKf = 1;
        ReDrawObject();
    } else if (!IsNullRect(ActiveSkinRect)) {
        ReDraw();
    }
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
}

void TskSkinButtonObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    if (!(Down && Menu)) {
        ReDrawObject();
        ReDraw();
    }
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------------
// Standard caption button

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinFrame* AParent, TskDataSkinStdButton* Description)
    : TskSkinButtonObject(AParent, Description)
{
    if (!Description)
        return;
    HasDescription = true;
    Command = Description->Command;
    RestoreRect = Description->RestoreRect;
    RestoreActiveRect = Description->RestoreActiveRect;
    RestoreInactiveRect = Description->RestoreInactiveRect;
    RestoreDownRect = Description->RestoreDownRect;
}

bool TskSkinStdButtonObject::RestoreState() const
{
    switch (Command) {
    case cmMaximize: return Parent->WindowState == fwsMaximized;
    case cmMinimize: return Parent->WindowState == fwsMinimized;
    case cmRollUp: return Parent->RolledUp;
    default: return false;
    }
}

bool TskSkinStdButtonObject::DrawsIcon() const { return Command == cmSysMenu && Parent->ShowIcon(); }

bool TskSkinStdButtonObject::CanMorphing()
{
    if (DrawsIcon() && SkinRectInAPicture)
        return false;
    return TskSkinButtonObject::CanMorphing();
}

void TskSkinStdButtonObject::DrawDefault(cl::TCanvas* Canvas)
{
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    if (w < 1 || h < 1)
        return;
    if (DrawsIcon()) {
        if (HICON icon = Parent->SmallIcon())
            DrawIconEx(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    cl::TBitmap b;
    b.SetSize(w, h);
    cl::TCanvas* c = b.Canvas();
    const bool pressed = Down && MouseIn;
    const TRect all = cl::Rect(0, 0, w, h);
    if (pressed || MouseIn) {
        c->Brush()->SetColor(clSkinDefaultFrame);
        c->FillRect(all);
        c->Brush()->SetColor(pressed ? clSkinDefaultDownFill : clSkinDefaultHotFill);
        c->FillRect(cl::Rect(1, 1, w - 1, h - 1));
    } else {
        c->Brush()->SetColor(cl::clBtnFace);
        c->FillRect(all);
    }
    const int x = pressed ? w / 2 - 4 : w / 2 - 5;
    const int y = pressed ? h / 2 - 3 : h / 2 - 4;
    const TColor color = Enabled ? cl::clBtnText : cl::clBtnShadow;
    switch (Command) {
    case cmClose: DrawCrossGlyph(c, x, y, color); break;
    case cmMaximize:
        if (Parent->WindowState == fwsMaximized)
            DrawRestoreGlyph(c, x, y, color);
        else
            DrawMaximizeGlyph(c, x, y, color);
        break;
    case cmMinimize:
        if (Parent->WindowState == fwsMinimized)
            DrawRestoreGlyph(c, x, y, color);
        else
            DrawUnderlineGlyph(c, x, y, color);
        break;
    case cmSysMenu: DrawRectGlyph(c, x, y, color); break;
    case cmRollUp:
        if (Parent->RolledUp)
            DrawDownTriangleGlyph(c, x, y, color);
        else
            DrawUpTriangleGlyph(c, x, y, color);
        break;
    case cmMinimizeToTray: DrawSquareGlyph(c, x, y, color); break;
    case cmDefault: break;
    }
    BitBlt(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top, w, h, c->Handle(), 0, 0, SRCCOPY);
}

void TskSkinStdButtonObject::Draw(cl::TCanvas* Canvas, bool UpDate)
{
    if (!HasDescription) {
        DrawDefault(Canvas);
        return;
    }
    if (DrawsIcon() && SkinRectInAPicture) {
        if (HICON icon = Parent->SmallIcon())
            DrawIconEx(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top, icon, 0, 0, 0, nullptr, DI_NORMAL);
        MorphKf = 0;
        return;
    }
    if (Enabled && RestoreState() && !IsNullRect(RestoreRect)) {
        if (!Parent->FrameActive() && !IsNullRect(RestoreInactiveRect))
            CopyImage(Canvas, ActivePicture, RestoreInactiveRect);
        else if (Down && MouseIn && !IsNullRect(RestoreDownRect))
            CopyImage(Canvas, ActivePicture, RestoreDownRect);
        else if (EnableMorphing() && MorphUnderWay())
            DrawMorph(Canvas, ActivePicture, RestoreRect, RestoreActiveRect);
        else if (Active && !IsNullRect(RestoreActiveRect))
            CopyImage(Canvas, ActivePicture, RestoreActiveRect);
        else
            CopyImage(Canvas, ActivePicture, RestoreRect);
        return;
    }
    TskSkinButtonObject::Draw(Canvas, UpDate);
}

void TskSkinStdButtonObject::MouseDown(int, int, cl::TMouseButton Button)
{
    if (!Enabled || Button != cl::mbLeft || Down)
        return;
    SetDown(true);
    if (Command == cmSysMenu) {
        Parent->MenuObject = this;
        Parent->OpenSystemMenu(Parent->ObjectScreenRect(this));
    }
}

void TskSkinStdButtonObject::MouseUp(int X, int Y, cl::TMouseButton Button)
{
    // The command runs only while the mouse is still over the button.
    const bool run = Enabled && Button == cl::mbLeft && Active;
    if (Command == cmClose) {
        TskSkinButtonObject::MouseUp(X, Y, Button);
        if (run)
            Parent->RunCaptionCommand(Command);
        return;
    }
    if (run)
        Parent->RunCaptionCommand(Command);
    TskSkinButtonObject::MouseUp(X, Y, Button);
}

void TskSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->DoClose();
}

// ---------------------------------------------------------------------------------------------
// Animated object

TskSkinAnimateObject::TskSkinAnimateObject(TskSkinFrame* AParent, TskDataSkinAnimate* Description)
    : TskActiveSkinObject(AParent, Description)
{
    // Animations never morph.
    Morphing = false;
    if (!Description)
        return;
    Interval = std::max(Description->TimerInterval, 25);
    CountFrames = Description->CountFrames;
    Cycle = Description->Cycle;
    ButtonStyle = Description->ButtonStyle;
    Command = Description->Command;
    DownSkinRect = Description->DownSkinRect;
}

void TskSkinAnimateObject::ResetState()
{
    MouseIn = false;
    Active = false;
    Frame = 1;
}

void TskSkinAnimateObject::Draw(cl::TCanvas* Canvas, bool)
{
    const int w = SkinRect.Width();
    const int h = SkinRect.Height();
    auto frameRect = [&](int i) {
        return cl::Rect(ActiveSkinRect.Left + (i - 1) * w, ActiveSkinRect.Top, ActiveSkinRect.Left + i * w,
                        ActiveSkinRect.Top + h);
    };
    if (MenuOpen) {
        if (!IsNullRect(DownSkinRect))
            CopyImage(Canvas, ActivePicture, DownSkinRect);
        else if (Animates())
            CopyImage(Canvas, ActivePicture, frameRect(CountFrames));
        return;
    }
    if (!Parent->IsActive() && !IsNullRect(InActiveSkinRect))
        CopyImage(Canvas, ActivePicture, InActiveSkinRect);
    else if (Down && MouseIn && !IsNullRect(DownSkinRect))
        CopyImage(Canvas, ActivePicture, DownSkinRect);
    else if (Animates())
        CopyImage(Canvas, ActivePicture, frameRect(std::clamp(Frame, 1, CountFrames)));
}

void TskSkinAnimateObject::SetFrame(int N)
{
    if (!Animates())
        return;
    if (Increment && N > CountFrames)
        N = 1;
    else if (!Increment && N < 1)
        N = CountFrames;
    Frame = N;
    ReDrawObject();
}

bool TskSkinAnimateObject::Step()
{
    if (!Animates()) {
        Active = false;
        return false;
    }
    if (Counter < Interval) {
        Counter += 25;
        return true;
    }
    Counter = 25;
    if (Increment) {
        if (Frame >= CountFrames && !Cycle) {
            Active = false;
            return false;
        }
        SetFrame(Frame + 1);
    } else {
        if (Frame <= 1) {
            Active = false;
            return false;
        }
        SetFrame(Frame - 1);
    }
    return true;
}

void TskSkinAnimateObject::MouseEnter()
{
    MouseIn = true;
    if (!MenuOpen && ButtonStyle) {
        Active = true;
        Increment = true;
        if (Down && !IsNullRect(DownSkinRect))
            ReDrawObject();
        else
            Parent->StartAnimationTimer();
    }
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
}

void TskSkinAnimateObject::MouseLeave()
{
    if (!MouseIn)
        return;
    MouseIn = false;
    if (!MenuOpen && ButtonStyle) {
        Active = true;
        Increment = false;
        if (Down && !IsNullRect(DownSkinRect))
            ReDrawObject();
        else
            Parent->StartAnimationTimer();
    }
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
}

void TskSkinAnimateObject::MouseDown(int X, int Y, cl::TMouseButton Button)
{
    TskActiveSkinObject::MouseDown(X, Y, Button);
    if (Button == cl::mbLeft && !IsNullRect(DownSkinRect)) {
        Frame = CountFrames;
        Down = true;
        ReDrawObject();
    }
    if (Command == cmSysMenu && ButtonStyle)
        RunCommand();
}

void TskSkinAnimateObject::MouseUp(int X, int Y, cl::TMouseButton Button)
{
    if (MenuOpen)
        return;
    TskActiveSkinObject::MouseUp(X, Y, Button);
    if (Button == cl::mbLeft && !IsNullRect(DownSkinRect)) {
        Down = false;
        ReDrawObject();
        Parent->StartAnimationTimer();
    }
    if (Command != cmSysMenu && ButtonStyle && MouseIn && Button == cl::mbLeft)
        RunCommand();
}

void TskSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->DoClose();
}

void TskSkinAnimateObject::OpenMenu()
{
    if (!Menu || Menu->Count() == 0)
        return;
    MenuOpen = true;
    Parent->MenuObject = this;
    Parent->OpenObjectMenu(Menu, Parent->ObjectScreenRect(this));
}

void TskSkinAnimateObject::RunCommand()
{
    switch (Command) {
    case cmSysMenu:
        MenuOpen = true;
        Parent->MenuObject = this;
        Parent->OpenSystemMenu(Parent->ObjectScreenRect(this));
        break;
    case cmDefault: OpenMenu(); break;
    default: Parent->RunCaptionCommand(Command); break;
    }
}

}  // namespace sk
