#include "radio/forms/RadioSmall.h"

#include "skinforms/frame/Objects.h"

#include "radio/forms/DialogTexts.h"
#include "radio/directory/RegistryManager.h"
#include "radio/forms/SkinBinding.h"

using namespace cl;

TfrmRadioSmallForm* frmRadioSmallForm = nullptr;

TfrmRadioSmallForm::TfrmRadioSmallForm(TComponent* AOwner, sk::TskSkinData* SkinData) : TForm(AOwner)
{
    SetBorderStyle(bsToolWindow);
    SetFormStyle(fsStayOnTop);
    SetCaption(radio_texts::SSmallCaption);

    skSkinFrame1 = new sk::TskSkinFrame(this);
    skSkinFrame1->OnChangeSkinData = TNotifyEvent(this, &TfrmRadioSmallForm::skSkinFrame1ChangeSkinData);
    skSkinFrame1->SetBorderIcons(sk::TskBorderIcons{sk::biMaximize});
    HideCloseButton();
    // The frame decides the borders, so the client size is set once it is attached.
    SetClientWidth(FormClientWidth);
    SetClientHeight(FormClientHeight);
    skSkinFrame1->OnMaximize = TNotifyEvent(this, &TfrmRadioSmallForm::btnResetClick);

    labChannel = new sk::TskSkinStdLabel(this);
    labChannel->SetParent(this);
    labChannel->SetBounds(8, 8, 201, 14);
    // A station's name is data: an "&" in it is shown, not taken as a mnemonic.
    labChannel->SetShowAccelChar(false);

    tbVolume = new sk::TskSkinTrackBar(this);
    tbVolume->SetParent(this);
    tbVolume->SetSkinDataName("htrackbar");
    tbVolume->SetBounds(8, 24, 201, 20);
    tbVolume->SetMinValue(0);
    tbVolume->SetMaxValue(100);
    tbVolume->SetValue(50);
    tbVolume->SetJumpWhenClick(false);
    tbVolume->SetCanFocused(false);
    tbVolume->SetMouseSupport(true);
    tbVolume->OnChange = TNotifyEvent(this, &TfrmRadioSmallForm::tbVolumeChange);

    btnMute = new sk::TskSkinSpeedButton(this);
    btnMute->SetParent(this);
    btnMute->SetSkinDataName("resizebutton");
    btnMute->SetCaption(radio_texts::SSmallMute);
    btnMute->SetBounds(8, 48, 50, 25);
    btnMute->OnClick = TNotifyEvent(this, &TfrmRadioSmallForm::btnMuteClick);

    btnReset = new sk::TskSkinSpeedButton(this);
    btnReset->SetParent(this);
    btnReset->SetSkinDataName("resizebutton");
    btnReset->SetCaption(radio_texts::SSmallFull);
    btnReset->SetBounds(156, 48, 50, 25);
    btnReset->OnClick = TNotifyEvent(this, &TfrmRadioSmallForm::btnResetClick);

    OnClose = TCloseEvent(this, &TfrmRadioSmallForm::FormClose);
    SetSkinData(SkinData);
}

void TfrmRadioSmallForm::SetSkinData(sk::TskSkinData* SkinData)
{
    BindSkinData(this, SkinData);
}

void TfrmRadioSmallForm::SetVolume(int Value)
{
    settingVolume_ = true;
    try {
        tbVolume->SetValue(Value);
    } catch (...) {
        settingVolume_ = false;
        throw;
    }
    settingVolume_ = false;
}

TPoint TfrmRadioSmallForm::CornerPosition(const TRect& WorkArea, int W, int H, int Corner)
{
    // The work area need not start at the screen's origin (a task bar on the top or left).
    switch (Corner) {
    case 1:
        return TPoint(WorkArea.Left, WorkArea.Top);
    case 2:
        return TPoint(WorkArea.Right - W, WorkArea.Bottom - H);
    case 3:
        return TPoint(WorkArea.Left, WorkArea.Bottom - H);
    default:
        return TPoint(WorkArea.Right - W, WorkArea.Top);
    }
}

void TfrmRadioSmallForm::ShowInCorner()
{
    int corner = 0;
    {
        TRegManager settings;
        corner = settings.GetRadioWindowPos();
        if (corner < 0 || corner > 3) {
            corner = 0;
            settings.SetRadioWindowPos(corner);
        }
    }
    TPoint p = CornerPosition(Screen->WorkAreaRect(), Width(), Height(), corner);
    SetBounds(p.X, p.Y, Width(), Height());
    Show();
}

void TfrmRadioSmallForm::tbVolumeChange(TObject*)
{
    // A move made by SetVolume came from the main window, which has set the volume already.
    if (settingVolume_)
        return;
    if (Link.SetMainVolume)
        Link.SetMainVolume(tbVolume->Value());
}

void TfrmRadioSmallForm::btnMuteClick(TObject*)
{
    if (Link.ToggleMute)
        Link.ToggleMute();
}

void TfrmRadioSmallForm::btnResetClick(TObject*)
{
    Hide();
    if (Link.ShowMain)
        Link.ShowMain();
}

void TfrmRadioSmallForm::FormClose(TObject*, TCloseAction& Action)
{
    // The window stays as it is until the program ends; the main window's closing ends it.
    Action = caNone;
    if (Link.CloseMain)
        Link.CloseMain();
}

void TfrmRadioSmallForm::skSkinFrame1ChangeSkinData(TObject*)
{
    // Without a skin the frame would make its default buttons at its next paint, close among
    // them: they are made now, so that it can go.
    if (!skSkinFrame1->SkinnedFrame() && skSkinFrame1->ObjectCount() == 0)
        skSkinFrame1->CreateDefaultButtons();
    HideCloseButton();
}

// The window's only caption button is maximize ("Full"). The frame keeps a close button
// whatever its border icons say; this window's would end the program.
void TfrmRadioSmallForm::HideCloseButton()
{
    for (int i = 0; i < skSkinFrame1->ObjectCount(); ++i) {
        sk::TskActiveSkinObject* object = skSkinFrame1->Objects(i);
        auto* button = dynamic_cast<sk::TskSkinStdButtonObject*>(object);
        auto* animate = dynamic_cast<sk::TskSkinAnimateObject*>(object);
        const bool close = (button && button->Command == sk::cmClose) ||
                           (animate && animate->ButtonStyle && animate->Command == sk::cmClose);
        if (!close)
            continue;
        // One drawn into the frame picture itself stays in sight, but does nothing.
        object->Enabled = false;
        object->Visible = !object->SkinRectInAPicture;
    }
    skSkinFrame1->ArrangeCaptionButtons();
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TfrmRadioSmallForm::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_WINDOWPOSCHANGING)
        WMWindowPosChanging(Message);
    TForm::WndProc(Message);
}

// Maximize stands for "Full": the frame would first stretch the window over the work area and
// only then tell the handler that sends it away, so the window would flash at that size (and
// stay that large when shown again). It keeps its size and place while its frame is maximized.
void TfrmRadioSmallForm::WMWindowPosChanging(TMessage& Message)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (pos && skSkinFrame1 && skSkinFrame1->WindowState == sk::fwsMaximized)
        pos->flags |= SWP_NOMOVE | SWP_NOSIZE;
}
