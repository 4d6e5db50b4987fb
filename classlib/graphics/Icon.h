#pragma once
// TIcon: an icon handle owned by the object, drawn on canvases and read from .ico files.
#include <vector>

#include "classlib/graphics/Bitmap.h"

namespace cl {

class TIcon : public TGraphic {
public:
    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    // The icon; the object owns it and destroys it.
    HICON Handle() const { return handle_; }
    // Takes over an icon (nullptr empties the object).
    void SetHandle(HICON Value);
    // Gives the icon away: the caller destroys it.
    HICON ReleaseHandle();

    int Width() const override;
    int Height() const override;
    // Only an empty icon takes a size (the size wanted from the next file read).
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    bool Empty() const override { return handle_ == nullptr; }

    // An .ico file: the image of the requested size when there is one, else the first.
    void LoadFromStream(TStream* Stream) override;
    // The file the icon was read from; an icon made from a handle cannot be written.
    void SaveToStream(TStream* Stream) override;
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    HICON handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> file_;
};

}  // namespace cl
