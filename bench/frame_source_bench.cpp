// Frame source costs: sequential decoding, jumps, and what one frame costs to decode.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "media/FfmsFrameSource.h"

namespace {

std::string benchFilm(const std::string& name) {
    static const bool made =
        std::system("'" ZEBAK_MAKE_BENCH_FILMS "' '" ZEBAK_BENCH_FILMS "'") == 0;
    if (!made) std::abort();
    return std::string(ZEBAK_BENCH_FILMS) + "/" + name;
}

/// The whole film in order, as the film analysis reads it.
void SequentialDecode(benchmark::State& state) {
    auto source = zebak::FfmsFrameSource::open(benchFilm("mpeg4-250.avi"));
    for (auto _ : state) {
        for (int n = 0; n < source->frameCount(); ++n) source->seek(n);
        source->seek(source->frameCount() / 2);  // leave frame 0 out of the recent frames
    }
    state.SetItemsProcessed(state.iterations() * source->frameCount());
}
BENCHMARK(SequentialDecode)->Unit(benchmark::kMillisecond);

/// Jumps to random frames; the counter gives decoder calls per jump.
void RandomJumps(benchmark::State& state, const std::string& film) {
    auto source = zebak::FfmsFrameSource::open(benchFilm(film));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, source->frameCount() - 1);
    const auto before = source->decodeCount();
    for (auto _ : state) source->seek(pick(random));
    state.counters["decodes_per_jump"] = static_cast<double>(source->decodeCount() - before) /
                                         static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(RandomJumps, mpeg4_bframes, std::string("mpeg4-bframes-250.avi"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RandomJumps, mpeg2_mpg_1500, std::string("mpeg2-1500.mpg"))
    ->Unit(benchmark::kMillisecond);

/// A jump backwards by 300 frames on a 1500-frame MPEG-2 program stream.
void BackwardJumpMpg(benchmark::State& state) {
    auto source = zebak::FfmsFrameSource::open(benchFilm("mpeg2-1500.mpg"));
    int target = source->frameCount() - 1;
    const auto before = source->decodeCount();
    for (auto _ : state) {
        state.PauseTiming();
        source->seek(target);  // stand late in the film
        const auto from = target;
        target = target > 400 ? target - 37 : source->frameCount() - 1;
        state.ResumeTiming();
        source->seek(from - 300);
    }
    state.counters["decodes"] = static_cast<double>(source->decodeCount() - before) /
                                static_cast<double>(state.iterations());
}
BENCHMARK(BackwardJumpMpg)->Unit(benchmark::kMillisecond)->Iterations(20);

/// Opening a film: the first time (index and frame hashes built, cache folder emptied before
/// each run) against the second time (both read from the cache).
void OpenFilm(benchmark::State& state) {
    const bool cached = state.range(0) != 0;
    const std::string film = benchFilm("mpeg4-250.avi");
    const std::string cache = std::string(ZEBAK_BENCH_FILMS) + "/open-cache";
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    std::filesystem::remove_all(cache);
    zebak::FfmsFrameSource::open(film);
    for (auto _ : state) {
        if (!cached) {
            state.PauseTiming();
            std::filesystem::remove_all(cache);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(zebak::FfmsFrameSource::open(film));
    }
}
BENCHMARK(OpenFilm)->Arg(0)->Arg(1)->ArgName("cached")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
