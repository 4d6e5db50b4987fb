#pragma once
// Image lists: pictures of one size, each with the parts that are left out when drawn, and
// the links through which controls hear that a list changed.
#include <memory>
#include <vector>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Graphics.h"

namespace cl {

class TCustomImageList;

// A control's subscription to an image list; it leaves the list when freed.
class TChangeLink : public TObject {
public:
    ~TChangeLink() override;
    TCustomImageList* Sender() const { return sender_; }
    void Change();

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetWidth(int Value);
    void SetHeight(int Value);
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds the image (cut into pieces Width wide when wider); Mask: white = left out, may be
    // nullptr. Answers the index of the first piece.
    int Add(TBitmap* Image, TBitmap* Mask);
    // Leaves out every pixel of MaskColor.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();

    // Draws image Index at (X, Y); a disabled image is drawn embossed in the 3-D colours.
    // An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // The image on its own (left-out pixels black) and as an icon.
    void GetBitmap(int Index, TBitmap* Image);
    void GetIcon(int Index, TIcon* Icon);

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    struct TImage {
        TBitmap Pixels;                 // left-out pixels black
        std::vector<bool> LeftOut;      // row by row, Width * Height
    };
    void CheckIndex(int Index) const;
    HBITMAP MakeMask(const TImage& Image) const;
    // Paints Source (left-out pixels black) through the image's mask.
    void Blend(HDC Dest, int X, int Y, const TImage& Image, TBitmap& Source) const;

    int width_ = 16;
    int height_ = 16;
    std::vector<std::unique_ptr<TImage>> images_;
    std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};

// An image list whose chosen image follows the cursor during a drag, in a window of its own
// that the mouse passes through.
class TDragImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    ~TDragImageList() override;

    // Which image, and the point of it that sits under the cursor.
    void SetDragImage(int Index, int HotSpotX, int HotSpotY);
    int DragIndex() const { return dragIndex_; }
    TPoint DragHotspot() const { return hotspot_; }
    // Starts showing the image at the screen point (Window is not used: always the screen).
    void BeginDrag(HWND Window, int X, int Y);
    void DragMove(int X, int Y);
    void EndDrag();
    void HideDragImage();
    void ShowDragImage();
    bool Dragging() const { return dragging_; }
    HWND DragWindow() const { return wnd_; }

private:
    static LRESULT CALLBACK DragWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void Place();

    int dragIndex_ = 0;
    TPoint hotspot_;
    TPoint pos_;
    bool dragging_ = false;
    bool hidden_ = false;
    HWND wnd_ = nullptr;
};

}  // namespace cl
