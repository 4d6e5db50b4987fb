#pragma once
// TfrmRadioSmallForm: the compact always-on-top window that takes the main window's place: the
// station's caption, a volume slider that follows the main window's, "Mute" and "Full". It
// reaches the main window only through TRadioSmallFormLink, so that it can be built and tested
// without one.
#include <functional>

#include "classlib/controls/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/controls/SpeedButton.h"
#include "skin/controls/StdLabel.h"
#include "skin/controls/TrackBar.h"
#include "skinforms/frame/Frame.h"

struct TRadioSmallFormLink {
    // Moves the main window's volume slider, whose own handler sets the player's volume.
    std::function<void(int Volume)> SetMainVolume;
    std::function<void()> ToggleMute;
    std::function<void()> ShowMain;
    // Closing the main window ends the program.
    std::function<void()> CloseMain;
};

class TfrmRadioSmallForm : public cl::TForm {
public:
    static constexpr int FormClientWidth = 221;
    static constexpr int FormClientHeight = 95;

    explicit TfrmRadioSmallForm(cl::TComponent* AOwner, sk::TskSkinData* SkinData = nullptr);

    sk::TskSkinFrame* skSkinFrame1 = nullptr;
    sk::TskSkinStdLabel* labChannel = nullptr;
    sk::TskSkinTrackBar* tbVolume = nullptr;
    sk::TskSkinSpeedButton* btnMute = nullptr;
    sk::TskSkinSpeedButton* btnReset = nullptr;

    TRadioSmallFormLink Link;

    // Binds the frame and the controls to the program's skin data.
    void SetSkinData(sk::TskSkinData* SkinData);
    // Moves the slider without telling the main window (the main window's volume handler calls
    // this, so a change sets the player's volume once).
    void SetVolume(int Value);

    // Where a window of W by H goes in WorkArea for a corner: 0 upper right, 1 upper left,
    // 2 bottom right, 3 bottom left (anything else: upper right).
    static cl::TPoint CornerPosition(const cl::TRect& WorkArea, int W, int H, int Corner);
    // Reads "Radio Window Pos" (a value outside 0..3 is stored again as 0), moves the window to
    // that corner of the screen's work area and shows it.
    void ShowInCorner();

    void tbVolumeChange(cl::TObject* Sender);
    void btnMuteClick(cl::TObject* Sender);
    void btnResetClick(cl::TObject* Sender);
    void FormClose(cl::TObject* Sender, cl::TCloseAction& Action);
    void skSkinFrame1ChangeSkinData(cl::TObject* Sender);

protected:
    void WndProc(cl::TMessage& Message) override;

private:
    void HideCloseButton();
    void WMWindowPosChanging(cl::TMessage& Message);

    bool settingVolume_ = false;
};

extern TfrmRadioSmallForm* frmRadioSmallForm;
