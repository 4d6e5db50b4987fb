// Speed of the skin drawing code: effect bitmaps, and on Windows the composers and mask regions.
#include "bench/drawing_bench.h"

int main()
{
    bench::RunEffects();
#ifdef _WIN32
    bench::RunComposers();
    bench::RunRegions();
#endif
    return 0;
}
