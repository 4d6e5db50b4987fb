// A morph step and each effect, in nanoseconds per pixel, against copying the same pixels.
#include <cstring>
#include <vector>

#include "bench/drawing_bench.h"
#include "skin/skEffects.h"

namespace bench {

namespace {

void FillPattern(sk::TskEffectBmp& Bmp, int Seed)
{
    for (int y = 0; y < Bmp.Height(); ++y) {
        std::uint8_t* p = Bmp.ScanLine(y);
        for (int i = 0; i < 3 * Bmp.Width(); ++i)
            p[i] = static_cast<std::uint8_t>((i * 7 + y * 13 + Seed) & 0xFF);
    }
}

void RunSize(int W, int H)
{
    sk::TskEffectBmp own(W, H), target(W, H), work(W, H);
    FillPattern(own, 0);
    FillPattern(target, 91);
    const double pixels = static_cast<double>(W) * H;
    const int runs = W * H > 100000 ? 9 : 101;
    std::vector<std::uint8_t> copy(own.Size());
    const double ref = Median(runs, [&] { std::memcpy(copy.data(), own.Bits(), own.Size()); }) / pixels * 1e9;
    const std::string size = "_" + std::to_string(W) + "x" + std::to_string(H);
    auto measure = [&](const std::string& Name, auto&& Op) {
        const double t = Median(runs, [&] {
            std::memcpy(work.Bits(), own.Bits(), own.Size());
            Op();
        }) / pixels * 1e9;
        // The copy that restores the work bitmap is part of the figure; take it out. Effects are
        // judged by the frame budget, so the ratio to a copy is reported only.
        Report(Name + size, t - ref, "ns/px", ref, "-");
    };
    const char* morphs[] = {"morph_default", "morph_gradient", "morph_leftgradient", "morph_rightgradient",
                            "morph_leftslide", "morph_rightslide", "morph_push"};
    for (int kind = sk::mkDefault; kind <= sk::mkPush; ++kind)
        measure(morphs[kind], [&] { work.MorphByKind(static_cast<sk::TskMorphKind>(kind), target, 0.4); });
    measure("effect_brightness", [&] { work.ChangeBrightness(0.5); });
    measure("effect_darkness", [&] { work.ChangeDarkness(0.3); });
    measure("effect_grayscale", [&] { work.GrayScale(); });
    measure("effect_noise", [&] { work.AddNoise(50); });
    measure("effect_splitblur", [&] { work.SplitBlur(1); });
    measure("effect_invert", [&] { work.Invert(); });
}

}  // namespace

void RunEffects()
{
    RunSize(1024, 28);
    RunSize(1024, 768);
}

}  // namespace bench
