// Where the pixels of a TskEffectBmp live on a host without GDI: plain memory, so that the
// pixel arithmetic builds and is tested natively.
#include <vector>

#include "skin/drawing/Effects.h"

namespace sk {

struct TskEffectBmp::TStore {
    std::vector<std::uint8_t> Pixels;
};

TskEffectBmp::TskEffectBmp(int AWidth, int AHeight)
    : width_(AWidth > 0 && AHeight > 0 ? AWidth : 0), height_(AWidth > 0 && AHeight > 0 ? AHeight : 0),
      rowInc_(3 * static_cast<std::size_t>(width_) + width_ % 4), store_(std::make_unique<TStore>())
{
    store_->Pixels.assign(Size(), 0);
    bits_ = store_->Pixels.empty() ? nullptr : store_->Pixels.data();
}

TskEffectBmp::~TskEffectBmp() = default;

}  // namespace sk
