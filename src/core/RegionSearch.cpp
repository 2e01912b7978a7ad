#include "RegionSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace zebak {

namespace {

/// Union-find over the runs: every run starts as its own region.
class RunUnion {
  public:
    explicit RunUnion(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    std::size_t root(std::size_t i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    void join(std::size_t a, std::size_t b) {
        a = root(a);
        b = root(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

  private:
    std::vector<std::size_t> parent_;
};

/// The index range of the runs of one row.
struct RowRuns {
    int y;
    std::size_t begin;
    std::size_t end;
};

std::vector<RowRuns> rowsOf(const std::vector<PixelRun>& runs) {
    std::vector<RowRuns> rows;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (rows.empty() || rows.back().y != runs[i].y)
            rows.push_back({runs[i].y, i, i + 1});
        else
            rows.back().end = i + 1;
    }
    return rows;
}

/// Joins run i with the runs of an earlier row whose pixels lie within reach of it in x.
void joinWithRow(const std::vector<PixelRun>& runs, const RowRuns& row, std::size_t i, int reach,
                 RunUnion& sets) {
    const PixelRun& a = runs[i];
    // The runs of a row are sorted and apart, so their last columns ascend too.
    const auto first =
        std::partition_point(runs.begin() + static_cast<std::ptrdiff_t>(row.begin),
                             runs.begin() + static_cast<std::ptrdiff_t>(row.end),
                             [&](const PixelRun& b) { return b.last < a.first - reach; });
    for (auto b = first; b != runs.begin() + static_cast<std::ptrdiff_t>(row.end); ++b) {
        if (b->first > a.last + reach) break;
        sets.join(i, static_cast<std::size_t>(b - runs.begin()));
    }
}

/// Adds run r to the region's counts and box.
void addRun(Region& region, const PixelRun& r) {
    const long long n = r.last - r.first + 1;
    if (region.pixels == 0) {
        region.left = r.first;
        region.right = r.last;
        region.top = r.y;
        region.bottom = r.y;
    }
    region.pixels += n;
    region.sumX += (static_cast<long long>(r.first) + r.last) * n / 2;
    region.sumY += static_cast<long long>(r.y) * n;
    region.left = std::min(region.left, r.first);
    region.right = std::max(region.right, r.last);
    region.top = std::min(region.top, r.y);
    region.bottom = std::max(region.bottom, r.y);
}

/// The squared distance from p to the nearest marked pixel of each region.
std::vector<double> nearestDistances(const std::vector<PixelRun>& runs, const RegionSet& set,
                                     PrecisePoint p) {
    std::vector<double> d(set.regions.size(), std::numeric_limits<double>::infinity());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const PixelRun& r = runs[i];
        const double dx =
            std::clamp(p.x, static_cast<double>(r.first), static_cast<double>(r.last)) - p.x;
        const double dy = r.y - p.y;
        double& best = d[set.regionOfRun[i]];
        best = std::min(best, dx * dx + dy * dy);
    }
    return d;
}

/// How unlike a size is to the last one: 0 for equal sizes, growing with the ratio either way.
double unlikeness(long long pixels, long long last) {
    return std::abs(std::log(static_cast<double>(pixels) / static_cast<double>(last)));
}

constexpr double kPi = 3.14159265358979323846;

bool alike(long long pixels, long long last) {
    return static_cast<double>(pixels) * kAlikeSizeFactor >= static_cast<double>(last) &&
           static_cast<double>(pixels) <= static_cast<double>(last) * kAlikeSizeFactor;
}

}  // namespace

RegionSet connectedRegions(const std::vector<PixelRun>& runs, int gap) {
    RegionSet set;
    if (runs.empty()) return set;
    const int reach = gap + 1;
    const std::vector<RowRuns> rows = rowsOf(runs);
    RunUnion sets(runs.size());
    std::size_t rowIndex = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        while (rows[rowIndex].end <= i) ++rowIndex;
        // On its own row only the run just before can be within reach (the others lie
        // further left and, when near, are already joined to it).
        if (i > rows[rowIndex].begin && runs[i].first - runs[i - 1].last <= reach)
            sets.join(i, i - 1);
        for (std::size_t k = rowIndex; k-- > 0 && rows[k].y >= runs[i].y - reach;)
            joinWithRow(runs, rows[k], i, reach, sets);
    }
    set.regionOfRun.assign(runs.size(), 0);
    std::vector<std::size_t> regionOfRoot(runs.size(), runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::size_t root = sets.root(i);
        if (regionOfRoot[root] == runs.size()) {
            regionOfRoot[root] = set.regions.size();
            set.regions.emplace_back();
        }
        set.regionOfRun[i] = regionOfRoot[root];
        addRun(set.regions[regionOfRoot[root]], runs[i]);
    }
    return set;
}

std::optional<Region> wholeRegion(const std::vector<PixelRun>& runs) {
    if (runs.empty()) return std::nullopt;
    Region region;
    for (const PixelRun& r : runs) addRun(region, r);
    return region;
}

std::optional<std::size_t> chooseRegion(const std::vector<PixelRun>& runs, const RegionSet& set,
                                        const RegionChoice& choice) {
    const std::vector<Region>& regions = set.regions;
    if (regions.empty()) return std::nullopt;
    const std::vector<double> d = nearestDistances(runs, set, choice.point);
    const long long last = choice.lastPixels;
    // A region of the object's size counts when it lies near the prediction: within a few
    // of the object's diameters. A farther one of that size is likelier a look-alike than the
    // object merged with something or partly hidden.
    const double reach = kNearObjectSizes * 2.0 * std::sqrt(static_cast<double>(last) / kPi);
    const double reach2 = std::max(reach * reach, 1.0);
    std::vector<bool> nearAlike(regions.size(), false);
    bool anyAlike = false;
    for (std::size_t k = 0; k < regions.size(); ++k) {
        nearAlike[k] = last > 0 && alike(regions[k].pixels, last) && d[k] <= reach2;
        anyAlike = anyAlike || nearAlike[k];
    }
    // True when region a is to be taken rather than region b.
    auto better = [&](std::size_t a, std::size_t b) {
        const long long pa = regions[a].pixels;
        const long long pb = regions[b].pixels;
        switch (choice.goal) {
            case RegionGoal::Largest:
                return pa > pb;
            case RegionGoal::NearPoint:
                return d[a] < d[b] || (d[a] == d[b] && pa > pb);
            case RegionGoal::NearPrediction:
                if (anyAlike && nearAlike[a] != nearAlike[b])
                    return static_cast<bool>(nearAlike[a]);
                return d[a] < d[b] || (d[a] == d[b] && pa > pb);
            case RegionGoal::MostAlike: {
                if (last <= 0) return pa > pb;
                const double ua = unlikeness(pa, last);
                const double ub = unlikeness(pb, last);
                return ua < ub || (ua == ub && d[a] < d[b]);
            }
        }
        return false;
    };
    std::size_t best = 0;
    for (std::size_t k = 1; k < regions.size(); ++k)
        if (better(k, best)) best = k;
    return best;
}

namespace {

/// The pixels of region k within `radius` of p, as a region of their own.
Region partWithin(const std::vector<PixelRun>& runs, const RegionSet& set, std::size_t k,
                  PrecisePoint p, double radius) {
    Region part;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (set.regionOfRun[i] != k) continue;
        const double dy = runs[i].y - p.y;
        if (std::abs(dy) > radius) continue;
        const double half = std::sqrt(radius * radius - dy * dy);
        const int first = std::max(runs[i].first, static_cast<int>(std::ceil(p.x - half)));
        const int last = std::min(runs[i].last, static_cast<int>(std::floor(p.x + half)));
        if (first <= last) addRun(part, {runs[i].y, first, last});
    }
    return part;
}

/// The object inside a region that has grown far beyond its size (it touches a look-alike):
/// the pixels within the object's radius of a point that starts at the prediction and moves
/// to the mean of the pixels it holds. The whole region when that leaves nothing.
Region objectWithin(const std::vector<PixelRun>& runs, const RegionSet& set, std::size_t k,
                    PrecisePoint predicted, long long objectPixels) {
    const double radius = kObjectRadiusMargin * std::sqrt(static_cast<double>(objectPixels) / kPi);
    PrecisePoint p = predicted;
    Region part;
    for (int step = 0; step < kObjectSettleSteps; ++step) {
        const Region next = partWithin(runs, set, k, p, radius);
        if (next.pixels == 0) break;
        part = next;
        const PrecisePoint mean = part.meanCentre();
        if (std::abs(mean.x - p.x) < 0.01 && std::abs(mean.y - p.y) < 0.01) break;
        p = mean;
    }
    return part.pixels > 0 ? part : set.regions[k];
}

/// The region a frame takes with "Zusammenhängend", by the rules of regionCentre.
std::optional<Region> connectedRegion(const std::vector<PixelRun>& runs,
                                      std::optional<PixelPoint> pick, PixelPoint predicted,
                                      const SlotTrace& trace) {
    const RegionSet set = connectedRegions(runs);
    auto point = [](PixelPoint p) {
        return PrecisePoint{static_cast<double>(p.x), static_cast<double>(p.y)};
    };
    RegionChoice choice;
    choice.lastPixels = trace.objectPixels;
    if (trace.objectPixels == 0) {
        choice.goal = pick ? RegionGoal::NearPoint : RegionGoal::Largest;
        if (pick) choice.point = point(*pick);
    } else if (trace.lost) {
        choice.goal = RegionGoal::MostAlike;
        choice.point = point(trace.centre);
    } else {
        choice.goal = RegionGoal::NearPrediction;
        choice.point = point(predicted);
    }
    const auto k = chooseRegion(runs, set, choice);
    if (!k) return std::nullopt;
    const Region& region = set.regions[*k];
    const bool merged = choice.goal == RegionGoal::NearPrediction &&
                        static_cast<double>(region.pixels) >
                            static_cast<double>(choice.lastPixels) * kAlikeSizeFactor;
    if (merged) return objectWithin(runs, set, *k, choice.point, choice.lastPixels);
    return region;
}

}  // namespace

std::optional<RegionCentre> regionCentre(bool connected, bool subpixel,
                                         const std::vector<PixelRun>& runs,
                                         std::optional<PixelPoint> pick, PixelPoint predicted,
                                         SlotTrace& trace) {
    const std::optional<Region> region =
        connected ? connectedRegion(runs, pick, predicted, trace) : wholeRegion(runs);
    if (!region) {
        if (trace.objectPixels > 0) trace.lost = true;
        trace.objectStep = {};
        return std::nullopt;
    }
    const bool seenBefore = trace.objectPixels > 0 && !trace.lost;
    // A region much unlike the object (merged with a look-alike, or a part of it) leaves the
    // remembered size alone, so that the object is known again when it comes out.
    if (trace.objectPixels == 0 || trace.lost || alike(region->pixels, trace.objectPixels))
        trace.objectPixels = region->pixels;
    trace.lost = false;
    RegionCentre c;
    c.pixels = region->pixels;
    if (subpixel) {
        c.exact = region->meanCentre();
        c.centre = {static_cast<int>(std::floor(c.exact.x + 0.5)),
                    static_cast<int>(std::floor(c.exact.y + 0.5))};
    } else {
        c.centre = region->boxCentre();
        c.exact = {static_cast<double>(c.centre.x), static_cast<double>(c.centre.y)};
    }
    trace.objectStep = seenBefore
                           ? PixelPoint{c.centre.x - trace.centre.x, c.centre.y - trace.centre.y}
                           : PixelPoint{};
    return c;
}

}  // namespace zebak
