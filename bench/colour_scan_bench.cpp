// What a full-frame colour scan costs next to decoding one frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "core/Search.h"
#include "media/FfmsFrameSource.h"

namespace {

std::string scanFilm() {
    static const bool made =
        std::system("'" ZEBAK_MAKE_BENCH_FILMS "' '" ZEBAK_BENCH_FILMS "'") == 0;
    if (!made) std::abort();
    return std::string(ZEBAK_BENCH_FILMS) + "/mpeg4-250.avi";
}

/// Decoding the next frame of a 640x480 MPEG-4 film (one step of the film analysis).
void DecodeOneFrame(benchmark::State& state) {
    auto source = zebak::FfmsFrameSource::open(scanFilm());
    int n = 0;
    for (auto _ : state) {
        source->seek(n);
        n = (n + 1) % source->frameCount();
        if (n == 0) {
            state.PauseTiming();
            source->seek(0);  // the wrap-around jump is not part of a step
            n = 1;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(DecodeOneFrame)->Unit(benchmark::kMicrosecond);

/// The search's full-area scan of one 640x480 frame: the match rule on every pixel, keeping
/// the bounding box of the matches (drawing of found pixels switched off).
void FullFrameColourScan(benchmark::State& state) {
    auto source = zebak::FfmsFrameSource::open(scanFilm());
    source->seek(100);
    const zebak::SearchArea area{0, 0, source->width(), source->height()};
    const zebak::FrameSize size{source->width(), source->height()};
    const zebak::ColourMatcher match(zebak::Rgb{200, 40, 40}, 40);
    for (auto _ : state) {
        const zebak::BoundingBox box =
            zebak::scanSearchArea(area, size, source->frame(), match, {});
        benchmark::DoNotOptimize(box);
    }
    state.SetItemsProcessed(state.iterations() * source->width() * source->height());
}
BENCHMARK(FullFrameColourScan)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
