#pragma once
// The windowed bases of every skinned control. A control names the description it draws from
// (SkinDataName), finds it in its skin data by that name, and draws either from the skin or in
// a built-in default look while it has none (description index -1). The form frame drives the
// skin change: BeforeChangeSkinData drops the description before a load, ChangeSkinData reads
// it again afterwards. The whole image is composed off-screen and copied in one step; the
// background is never erased.
#include <functional>
#include <string>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/Controls.h"
#include "classlib/graphics/ImgList.h"
#include "skin/bases/Geometry.h"
#include "skin/data/SkinData.h"
#include "skin/data/User.h"

namespace sk {

// The skin lookup and skin-change protocol of the windowed and the windowless bases. Base is
// cl::TCustomControl or cl::TGraphicControl.
template <class Base>
class TskSkinLink : public Base, public TskSkinDataUser {
public:
    explicit TskSkinLink(cl::TComponent* AOwner) : Base(AOwner) {}
    // A skin data that outlives the control must not notify it any more.
    ~TskSkinLink() override { skinData_.Set(nullptr); }

    TskSkinData* SkinData() const override { return skinData_; }
    const std::string& SkinDataName() const { return skinDataName_; }
    // -1 while the control has no description and draws its default look.
    int DescriptionIndex() const override { return index_; }

    virtual void GetSkinData() { index_ = SkinLoaded() ? skinData_->IndexOfControl(skinDataName_) : -1; }
    // The new name takes effect at the next lookup.
    virtual void SetSkinDataName(const std::string& Value) { skinDataName_ = Value; }
    // Applies a loaded skin at once (outside design time).
    void SetSkinData(TskSkinData* Value) override
    {
        if (skinData_ != Value)
            skinData_.Set(Value);
        if (skinData_ && !skinData_->Empty && !Designing())
            ChangeSkinData();
    }
    // Draw the unskinned or the skinned look into B, which the caller sized to the control.
    virtual void CreateControlDefaultImage(cl::TBitmap* B) {}
    virtual void CreateControlSkinImage(cl::TBitmap* B) {}
    void ChangeSkinData() override
    {
        GetSkinData();
        this->Repaint();
    }
    // The skin is about to be replaced: nothing may be read from it until ChangeSkinData.
    virtual void BeforeChangeSkinData() { index_ = -1; }

    cl::TNotifyEvent OnMouseEnter;
    cl::TNotifyEvent OnMouseLeave;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override
    {
        Base::Notification(AComponent, Operation);
        if (Operation == cl::opRemove && AComponent == skinData_)
            index_ = -1;
        skinData_.Forget(AComponent, Operation);
    }
    // The whole image is composed off-screen and copied in one step.
    void Paint() override
    {
        if (this->Width() < 1 || this->Height() < 1)
            return;
        GetSkinData();
        cl::TBitmap b;
        b.SetSize(this->Width(), this->Height());
        if (index_ == -1)
            CreateControlDefaultImage(&b);
        else
            CreateControlSkinImage(&b);
        this->Canvas()->Draw(0, 0, &b);
    }
    bool Designing() const { return this->ComponentState().Contains(cl::csDesigning); }
    // True when the skin data holds a loaded skin.
    bool SkinLoaded() const { return skinData_ && !skinData_->Empty; }
    // The description at the index, nullptr when there is none.
    TskDataSkinControl* Description() const
    {
        if (index_ < 0 || !skinData_)
            return nullptr;
        return skinData_->CtrlList.Items(index_);
    }

    int index_ = -1;

private:
    cl::TComponentRef<TskSkinData> skinData_{this};
    std::string skinDataName_;
};

class TskSkinControl : public TskSkinLink<cl::TCustomControl> {
public:
    explicit TskSkinControl(cl::TComponent* AOwner);

    // True while the control handles WM_PAINT.
    bool Painting() const { return painting_; }
    // True when DC belongs to the control's own window and that window still waits for its
    // paint (as every window does when it is first shown): whatever an erase would draw there,
    // the paint that comes draws again.
    bool PaintFollows(HDC DC);

protected:
    void Dispatch(cl::TMessage& Message) override;

    // Whether the window has been given a region (the window owns it, so no handle is kept).
    bool hasRegion_ = false;

private:
    void WMPaint(cl::TMessage& Message);
    void CMMouseEnter(cl::TMessage& Message);
    void CMMouseLeave(cl::TMessage& Message);

    bool painting_ = false;
};

// The font a control draws its default look in until it is given another.
void InitDefaultSkinFont(cl::TFont& Font);

// What the windowed and the windowless custom bases share: the default look's font and size,
// the skin geometry and the skin picture. Base is TskSkinControl or TskGraphicSkinControl.
template <class Base>
class TskSkinDefaultLook : public Base, protected TskSkinGeometry {
public:
    explicit TskSkinDefaultLook(cl::TComponent* AOwner) : Base(AOwner)
    {
        InitDefaultSkinFont(defaultFont_);
        defaultFont_.OnChange = cl::TNotifyEvent(this, &TskSkinDefaultLook::DefaultFontChange);
    }
    ~TskSkinDefaultLook() override { defaultFont_.OnChange = nullptr; }

    cl::TFont* DefaultFont() { return &defaultFont_; }
    void SetDefaultFont(cl::TFont* Value)
    {
        defaultFont_.Assign(Value);
        DefaultFontChanged();
    }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int Value)
    {
        defaultWidth_ = Value;
        if (this->index_ == -1 && Value >= 1)
            this->SetWidth(Value);
    }
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int Value)
    {
        defaultHeight_ = Value;
        if (this->index_ == -1 && Value >= 1)
            this->SetHeight(Value);
    }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool Value) { useSkinFont_ = Value; }
    const TskSkinGeometry& Geometry() const { return *this; }
    cl::TBitmap* Picture() const { return picture_; }

protected:
    virtual void DefaultFontChanged() {}
    virtual void CalcSize(int& W, int& H) { CalcSkinSize(*this, W, H, this->index_ != -1); }
    // After a skin change: the default size without a description, the skin's size with one.
    // False when that resized the control, whose SetBounds then repainted it.
    bool FitSizeToSkin()
    {
        if (this->index_ == -1) {
            if (defaultWidth_ > 0)
                this->SetWidth(defaultWidth_);
            if (defaultHeight_ > 0)
                this->SetHeight(defaultHeight_);
            return true;
        }
        int w = this->Width();
        int h = this->Height();
        CalcSize(w, h);
        if (w != this->Width() || h != this->Height()) {
            this->SetBounds(this->Left(), this->Top(), w, h);
            return false;
        }
        return true;
    }

    cl::TBitmap* picture_ = nullptr;

private:
    void DefaultFontChange(cl::TObject*)
    {
        DefaultFontChanged();
        if (this->index_ == -1)
            this->Repaint();
    }

    cl::TFont defaultFont_;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool useSkinFont_ = true;
};

class TskSkinCustomControl : public TskSkinDefaultLook<TskSkinControl> {
public:
    explicit TskSkinCustomControl(cl::TComponent* AOwner);

    cl::TBitmap* Mask() const { return mask_; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    // A skin-area rectangle moved or stretched to the control's size.
    TRect MapSkinRect(const TRect& R) const;

protected:
    // CM_DIALOGCHAR of a control that a caption accelerator focuses and then acts on: with the
    // caption's accelerator, and while Focusable and able to take the focus, the control takes
    // the focus and then runs Act, unless taking the focus freed it; any other character goes
    // on to the default handling.
    void FocusThenActOnAccelerator(cl::TMessage& Message, bool Focusable, const std::function<void()>& Act);
    virtual void SetControlRegion();
    void CreateControlRegion();
    void CreateSkinControlImage(cl::TBitmap* B, cl::TBitmap* APicture, const TRect& R);
    void Paint() override;
    void CreateWnd() override;

    // Panels paint a nine-part skin as four border strips and a tiled client.
    bool borderStripPainting_ = false;
    // Tile the description's client part over the new client rectangle in border-strip mode.
    bool clientTiling_ = true;

private:
    void PaintBorderStrips();

    cl::TBitmap* mask_ = nullptr;
};

// How a caption is written: the program's own captions mark a mnemonic with "&"; captions that
// come from data (station and category names) show "&" as it is, stay inside their rectangle and
// end in an ellipsis when too long.
enum class TskCaptionKind { Mnemonic, Data };

// A glyph (image Index of Images, none when out of range) and a caption laid out in R.
void DrawImageAndText(cl::TCanvas* Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, cl::TCustomImageList* Images, bool Pressed,
                      bool Enabled, TskCaptionKind Kind = TskCaptionKind::Mnemonic);
// A glyph (frame FrameIndex of a bitmap of FrameCount frames side by side) and a caption.
void DrawCaptionWithGlyph(cl::TCanvas* Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                          const std::string& Caption, cl::TBitmap* Glyph, int FrameCount, int FrameIndex,
                          bool Pressed);

// The picture of a description's picture index, nullptr when the index is -1 or past the list.
cl::TBitmap* SkinPicture(TskSkinData* Data, int Index);

// The description named Name in Data when it is a D; none without a skin, in an empty one, for a
// name the skin does not describe or for a description of another kind. Index is where the
// description stands in the skin's list, or -1 without one.
template <class D>
D* FindControlDescription(TskSkinData* Data, const std::string& Name, int& Index)
{
    Index = Data && !Data->Empty ? Data->IndexOfControl(Name) : -1;
    D* found = Index != -1 ? dynamic_cast<D*>(Data->CtrlList.Items(Index)) : nullptr;
    if (!found)
        Index = -1;
    return found;
}

// What the windowed and the windowless skinned bases share.
// Copies a description's skin area into G and picks its resize mode. A description of another
// kind (or none) carries no skin area: G is left fixed and the result is nullptr.
TskDataSkinCustomControl* ReadSkinArea(TskSkinGeometry& G, TskDataSkinControl* D);
// Draws the part R of APicture into B as G's resize mode lays it out for a control of W by H.
// ComposeNinePart false leaves a nine-part skin to the caller.
void ComposeSkinControlImage(const TskSkinGeometry& G, cl::TBitmap* B, cl::TBitmap* APicture, const TRect& R,
                             int W, int H, bool ComposeNinePart);

}  // namespace sk
