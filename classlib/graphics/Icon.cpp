#include "classlib/graphics/Icon.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/Canvas.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/Error.h"

namespace cl {

namespace {
constexpr std::size_t IconDirSize = 6;
constexpr std::size_t IconEntrySize = 16;
constexpr std::uint32_t MaxIconImage = 4u * 1024 * 1024;

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(consts::SInvalidIcon); }

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
}  // namespace

TIcon::~TIcon()
{
    if (handle_)
        DestroyIcon(handle_);
}

void TIcon::SetHandle(HICON Value)
{
    if (Value == handle_)
        return;
    if (handle_)
        DestroyIcon(handle_);
    handle_ = Value;
    file_.clear();
    width_ = height_ = 0;
    if (handle_) {
        ICONINFO info{};
        if (GetIconInfo(handle_, &info)) {
            const TOwnedBitmap color(info.hbmColor), mask(info.hbmMask);
            BITMAP bm{};
            HBITMAP shape = info.hbmColor ? info.hbmColor : info.hbmMask;
            if (GetObjectA(shape, sizeof(bm), &bm)) {
                width_ = bm.bmWidth;
                height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
            }
        }
    }
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    HICON icon = handle_;
    handle_ = nullptr;
    file_.clear();
    Changed();
    return icon;
}

int TIcon::Width() const { return width_ ? width_ : GetSystemMetrics(SM_CXICON); }
int TIcon::Height() const { return height_ ? height_ : GetSystemMetrics(SM_CYICON); }

void TIcon::SetWidth(int Value)
{
    if (handle_)
        throw EInvalidGraphicOperation(consts::SChangeIconSize);
    width_ = Value;
}

void TIcon::SetHeight(int Value)
{
    if (handle_)
        throw EInvalidGraphicOperation(consts::SChangeIconSize);
    height_ = Value;
}

void TIcon::LoadFromStream(TStream* Stream)
{
    std::uint8_t dir[IconDirSize];
    Stream->ReadBuffer(dir, sizeof(dir));
    const std::uint16_t type = U16(dir + 2);
    const std::uint16_t count = U16(dir + 4);
    if (U16(dir) != 0 || type != 1 || count == 0)
        InvalidIcon();
    std::vector<std::uint8_t> entries(IconEntrySize * count);
    Stream->ReadBuffer(entries.data(), static_cast<std::int64_t>(entries.size()));

    // The image data follow the directory; the file ends with the last of them.
    std::uint32_t end = 0;
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* e = entries.data() + i * IconEntrySize;
        const std::uint32_t size = U32(e + 8);
        const std::uint32_t offset = U32(e + 12);
        if (size == 0 || size > MaxIconImage || offset < IconDirSize + entries.size() || offset > MaxIconImage * 4)
            InvalidIcon();
        end = std::max(end, offset + size);
        const int w = e[0] ? e[0] : 256;
        const int h = e[1] ? e[1] : 256;
        if (w == width_ && h == height_)
            chosen = i;
    }
    std::vector<std::uint8_t> file(end);
    std::memcpy(file.data(), dir, IconDirSize);
    std::memcpy(file.data() + IconDirSize, entries.data(), entries.size());
    const std::size_t headerSize = IconDirSize + entries.size();
    Stream->ReadBuffer(file.data() + headerSize, static_cast<std::int64_t>(end - headerSize));

    const std::uint8_t* e = entries.data() + chosen * IconEntrySize;
    const int w = e[0] ? e[0] : 256;
    const int h = e[1] ? e[1] : 256;
    HICON icon = CreateIconFromResourceEx(file.data() + U32(e + 12), U32(e + 8), TRUE, 0x00030000, w, h, 0);
    if (!icon)
        InvalidIcon();
    SetHandle(icon);
    file_ = std::move(file);
}

void TIcon::SaveToStream(TStream* Stream)
{
    if (!handle_)
        return;
    if (file_.empty())
        throw EInvalidGraphicOperation(consts::SIconNotFromFile);
    Stream->WriteBuffer(file_.data(), static_cast<std::int64_t>(file_.size()));
}

void TIcon::Assign(TPersistent* Source)
{
    if (auto* source = dynamic_cast<TIcon*>(Source)) {
        if (source == this)
            return;
        auto file = source->file_;
        SetHandle(source->handle_ ? CopyIcon(source->handle_) : nullptr);
        file_ = std::move(file);
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (handle_)
        DrawIconEx(ACanvas->Handle(), Rect.Left, Rect.Top, handle_, Rect.Width(), Rect.Height(), 0, nullptr,
                   DI_NORMAL);
}

}  // namespace cl
