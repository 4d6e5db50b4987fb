#pragma once
// The objects of a skinned form's caption area: the caption text, the standard caption buttons,
// plain and animated buttons and objects the application paints. Each is made from one object
// description of the skin, or, without a skin, as one of the six default buttons. The frame
// owns them, places them (ObjectRect, frame coordinates), routes the mouse to them and times
// their morphs and animations.
#include <optional>
#include <string>

#include "classlib/graphics/Canvas.h"
#include "classlib/controls/Controls.h"
#include "classlib/menus/Menus.h"
#include "skin/data/SkinData.h"

namespace sk {

class TskSkinFrame;

class TskActiveSkinObject {
public:
    // Description may be nullptr (a default button).
    TskActiveSkinObject(TskSkinFrame* AParent, TskDataSkinObject* Description);
    virtual ~TskActiveSkinObject() = default;
    TskActiveSkinObject(const TskActiveSkinObject&) = delete;
    TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

    virtual bool CanMorphing();
    // UpDate: the object is repainted alone (True) rather than as part of the frame's images.
    virtual void Draw(cl::TCanvas* Canvas, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, cl::TMouseButton Button);
    virtual void MouseUp(int X, int Y, cl::TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // Morphing is on, and the frame's skin is loaded with effects enabled.
    bool EnableMorphing() const;
    // Morph under way: moving toward the active image, or back.
    bool MorphUnderWay() const { return (Active && MorphKf < 1) || (!Active && MorphKf > 0); }
    // One morph-timer step of 0.2 toward the end the state points to; the end is taken exactly.
    void StepMorph();
    // Starts the frame's morph timer when morphing applies, else repaints at once.
    void ReDraw();
    // Repaints this object alone on the window's frame.
    void ReDrawObject();
    // Hover and morph state back to rest (a move loop starts, the form is activated).
    virtual void ResetState();

    TskSkinFrame* Parent;
    double MorphKf = 0;
    bool MouseIn = false;
    cl::TBitmap* Picture = nullptr;
    cl::TBitmap* ActivePicture = nullptr;
    TskSkinData* SkinData = nullptr;
    std::string IDName;
    std::string Hint;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    TRect ObjectRect;
    bool Active = false;
    bool Morphing = false;
    TskMorphKind MorphKind = mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool SkinRectInAPicture = false;

protected:
    // The normal image of the object: SkinRect from ActivePicture when SkinRectInAPicture,
    // else from Picture.
    cl::TBitmap* NormalPicture() const { return SkinRectInAPicture ? ActivePicture : Picture; }
    // Copies Source's rectangle R onto the canvas at ObjectRect.
    void CopyImage(cl::TCanvas* Canvas, cl::TBitmap* Source, const TRect& R);
    // The morph from Normal's R toward ActivePicture's Active at MorphKf.
    void DrawMorph(cl::TCanvas* Canvas, cl::TBitmap* Normal, const TRect& R, const TRect& ActiveR);
};

class TskUserObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    void Draw(cl::TCanvas* Canvas, bool UpDate) override;
};

class TskSkinButtonObject : public TskActiveSkinObject {
public:
    TskSkinButtonObject(TskSkinFrame* AParent, TskDataSkinButton* Description);

    bool CanMorphing() override;
    void Draw(cl::TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, cl::TMouseButton Button) override;
    void MouseUp(int X, int Y, cl::TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetDown(bool Value);

    bool Down = false;
    TRect DisableSkinRect;
    TRect DownSkinRect;
    cl::TMenuItem* Menu = nullptr;

protected:
    void OpenMenu();
};

class TskSkinStdButtonObject : public TskSkinButtonObject {
public:
    // Description nullptr: one of the six default buttons.
    TskSkinStdButtonObject(TskSkinFrame* AParent, TskDataSkinStdButton* Description);

    bool CanMorphing() override;
    void Draw(cl::TCanvas* Canvas, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, cl::TMouseButton Button) override;
    void MouseUp(int X, int Y, cl::TMouseButton Button) override;

    // The window is in the state this button would undo (maximized for maximize...).
    bool RestoreState() const;
    bool DrawsIcon() const;

    bool HasDescription = false;
    TskStdCommand Command = cmDefault;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreInactiveRect;
    TRect RestoreDownRect;

private:
    void DrawDefault(cl::TCanvas* Canvas);
};

class TskSkinAnimateObject : public TskActiveSkinObject {
public:
    TskSkinAnimateObject(TskSkinFrame* AParent, TskDataSkinAnimate* Description);

    void Draw(cl::TCanvas* Canvas, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, cl::TMouseButton Button) override;
    void MouseUp(int X, int Y, cl::TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void ResetState() override;

    void SetFrame(int N);
    // One animation-timer tick; false when the animation has stopped.
    bool Step();
    // A strip without frames does not animate.
    bool Animates() const { return CountFrames >= 1; }

    int Frame = 1;
    int Counter = 25;
    int Interval = 25;
    cl::TMenuItem* Menu = nullptr;
    bool Down = false;
    bool MenuOpen = false;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TskStdCommand Command = cmDefault;
    TRect DownSkinRect;

private:
    void RunCommand();
    void OpenMenu();
};

// Everything the caption's composed image is drawn from: an image made from equal inputs is
// the same image, so a repaint that changes none of them copies the one it kept. The look is
// kept whole, so that a field the drawing comes to read is part of the comparison too.
struct TskCaptionImageKey {
    cl::TBitmap* Source = nullptr;
    HBITMAP SourceHandle = nullptr;
    cl::TBitmap* ActivePicture = nullptr;
    HBITMAP ActivePictureHandle = nullptr;
    TskSkinData* SkinData = nullptr;
    TRect R;
    TRect SkinRect;
    int Width = 0;
    int Height = 0;
    bool AsActive = false;
    std::string Text;
    int Charset = 0;
    TskCaptionLook Look;
    int ButtonsOffset = 0;
    int LeftEdge = 0;
    int RightEdge = 0;
    friend bool operator==(const TskCaptionImageKey&, const TskCaptionImageKey&) = default;
};

// The caption text cut to its room and measured, with what it was measured for.
struct TskCaptionTextLayout {
    struct TKey {
        std::string Caption;
        std::string FontName;
        int FontHeight = 0;
        cl::TFontStyles FontStyle;
        int Charset = 0;
        int Pitch = 0;
        int Orientation = 0;
        int Room = 0;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    TKey Key;
    std::wstring Text;
    int TextWidth = 0;
    int TextHeight = 0;
    // What DT_CALCRECT gives the text drawn as one line without prefixes.
    cl::TSize Box;
};

class TskSkinCaptionObject : public TskActiveSkinObject, public TskCaptionLook {
public:
    TskSkinCaptionObject(TskSkinFrame* AParent, TskDataSkinCaption* Description);

    void Draw(cl::TCanvas* Canvas, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void ResetState() override {}

    // The skin's effects are on and the description has an animation strip with frames.
    bool HasAnimation() const;
    // The animation's frame rectangle I (1-based) in ActivePicture.
    TRect AnimationFrameRect(int I) const;
    // One animation-timer tick; false when the counter has come to rest.
    bool StepAnimation();
    // The frame became active (True) or inactive: where the counter restarts.
    void RestartAnimation(bool BecomesActive);
    bool AnimationShowing() const { return AnimateFrame >= 1 && AnimateFrame <= FrameCount; }

    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;
    int AnimateCounter = 0;
    int AnimateFrame = 0;

private:
    void SetCaptionFont(cl::TCanvas* Canvas, bool AsActive);
    // The background from R of Source with the caption text, at the object's size.
    void DrawImage(cl::TCanvas* Canvas, cl::TBitmap* Source, const TRect& R, bool TextAsActive, bool Effect);
    void ComposeBackground(cl::TBitmap* B, cl::TBitmap* Source, const TRect& R);
    void DrawCaption(cl::TCanvas* Canvas, int X, int Y, bool AsActive);
    TskCaptionImageKey ImageKey(cl::TBitmap* Source, const TRect& R, bool AsActive) const;
    int CaptionCharset() const;
    const TskCaptionTextLayout& TextLayout(cl::TCanvas* Canvas, const std::string& Caption, int Room);

    // The composed image of the last paint (background and text) and what it was made from:
    // measuring and drawing the text is most of a frame's paint, and most paints change nothing.
    cl::TBitmap image_;
    std::optional<TskCaptionImageKey> imageKey_;
    std::optional<TskCaptionTextLayout> layout_;
};

}  // namespace sk
