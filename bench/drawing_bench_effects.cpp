// A morph step and each effect, in nanoseconds per pixel, against copying the same pixels; and
// the step time of the effects a skin applies to inactive windows, against the frame budget.
#include <cstring>
#include <vector>

#include "bench/drawing_bench.h"
#include "skin/drawing/Effects.h"

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

// Median seconds of a copy of Own's pixels, and of one step of Op on a fresh copy of them in
// Work, the copy taken out.
struct TStepTimer {
    const sk::TskEffectBmp& Own;
    sk::TskEffectBmp& Work;
    int Runs;
    std::vector<std::uint8_t> Copy = std::vector<std::uint8_t>(Own.Size());
    double CopySeconds() { return Median(Runs, [&] { std::memcpy(Copy.data(), Own.Bits(), Own.Size()); }); }
    template <class TOp>
    double StepSeconds(TOp&& Op)
    {
        return Median(Runs, [&] {
            std::memcpy(Work.Bits(), Own.Bits(), Own.Size());
            Op();
        }) - CopySeconds();
    }
};

void RunSize(int W, int H)
{
    sk::TskEffectBmp own(W, H), target(W, H), work(W, H);
    FillPattern(own, 0);
    FillPattern(target, 91);
    const double pixels = static_cast<double>(W) * H;
    TStepTimer timer{own, work, W * H > 100000 ? 9 : 101};
    const double ref = timer.CopySeconds() / pixels * 1e9;
    const std::string size = "_" + std::to_string(W) + "x" + std::to_string(H);
    auto measure = [&](const std::string& Name, auto&& Op) {
        // Effects are judged by the frame budget, so the ratio to a copy is reported only.
        Report(Name + size, timer.StepSeconds(Op) / pixels * 1e9, "ns/px", ref, "-");
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

// One step of each effect over the largest skinned surface, a 1040 by 760 form, within a tenth
// of the 20 ms morph tick.
void RunFrameBudget()
{
    const int w = 1040, h = 760;
    sk::TskEffectBmp own(w, h), work(w, h);
    FillPattern(own, 0);
    TStepTimer timer{own, work, 21};
    const double ref = timer.CopySeconds() * 1e3;
    auto measure = [&](const char* Name, auto&& Op) {
        Report(std::string(Name) + "_step_1040x760", timer.StepSeconds(Op) * 1e3, ref, "<2ms");
    };
    measure("effect_brightness", [&] { work.ChangeBrightness(0.5); });
    measure("effect_darkness", [&] { work.ChangeDarkness(0.3); });
    measure("effect_grayscale", [&] { work.GrayScale(); });
    measure("effect_invert", [&] { work.Invert(); });
}

}  // namespace

void RunEffects()
{
    RunSize(1024, 28);
    RunSize(1024, 768);
    RunFrameBudget();
}

}  // namespace bench
