#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "Domain.h"

namespace zebak {

// The connected-region search ("Zusammenhängend") and the sub-pixel centre ("Subpixel"): the
// colour rule marks pixels as it always does; these rules then decide which of the marked
// pixels are the object and where its centre lies.

/// Marked pixels this many unmarked pixels apart still belong to one region, so that a
/// blurred or translucent object stays whole; a neighbour a few pixels further off does not
/// join it.
inline constexpr int kBridgedGapPx = 2;

/// A region of a size within this factor of the object's last size counts as like it; two
/// objects of one size that touch make a region twice as large, which does not.
inline constexpr double kAlikeSizeFactor = 1.75;

/// Inside a region grown beyond the object's size, the object is taken as the pixels within
/// this many of its radii of its centre, found in this many steps from the prediction.
inline constexpr double kObjectRadiusMargin = 1.25;
inline constexpr int kObjectSettleSteps = 8;

/// A region of the object's size is preferred within this many of its diameters of the
/// predicted position.
inline constexpr double kNearObjectSizes = 3.0;

/// Marked pixels of one row: columns first to last, inclusive.
struct PixelRun {
    int y = 0;
    int first = 0;
    int last = 0;
};

/// The marked pixels of one scan as runs, in scan order (rows from top to bottom, each row
/// from left to right). Only the marked pixels are kept, never a copy of the frame.
class MarkedRuns {
  public:
    void clear() { runs_.clear(); }
    /// Notes the marked pixel (x, y); pixels must come in scan order.
    void add(int x, int y) {
        if (!runs_.empty()) {
            PixelRun& r = runs_.back();
            if (r.y == y && r.last + 1 == x) {
                r.last = x;
                return;
            }
        }
        runs_.push_back({y, x, x});
    }
    const std::vector<PixelRun>& runs() const { return runs_; }

  private:
    std::vector<PixelRun> runs_;
};

/// One region of marked pixels: their number, coordinate sums and bounding box (inclusive).
struct Region {
    long long pixels = 0;
    long long sumX = 0;
    long long sumY = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    /// The middle of the bounding box, halved as the written search halves it.
    PixelPoint boxCentre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    /// The mean of the marked pixels' coordinates.
    PrecisePoint meanCentre() const {
        return {static_cast<double>(sumX) / static_cast<double>(pixels),
                static_cast<double>(sumY) / static_cast<double>(pixels)};
    }
};

/// The regions of a scan and which region each run belongs to.
struct RegionSet {
    std::vector<Region> regions;
    std::vector<std::size_t> regionOfRun;
};

/// Joins the runs into regions: two marked pixels belong to one region when they are
/// 8-neighbours, or are at most `gap` unmarked pixels apart in x, y or both.
RegionSet connectedRegions(const std::vector<PixelRun>& runs, int gap = kBridgedGapPx);

/// All marked pixels of the scan as a single region (empty when none is marked).
std::optional<Region> wholeRegion(const std::vector<PixelRun>& runs);

/// Which region a frame takes.
enum class RegionGoal {
    /// The region at or nearest a point (where the colour was picked).
    NearPoint,
    /// The largest region (no point known).
    Largest,
    /// The region nearest the predicted position among those of a size like the object's
    /// last that lie near it; the nearest of all when none does.
    NearPrediction,
    /// After a loss: the region whose size is most like the object's last, the nearer of two
    /// equally like.
    MostAlike
};

struct RegionChoice {
    RegionGoal goal = RegionGoal::Largest;
    /// The pick point, the predicted or the last position.
    PrecisePoint point;
    /// The object's size in the last frame it was seen, pixels.
    long long lastPixels = 0;
};

/// The index of the region the choice takes; empty when there is none.
std::optional<std::size_t> chooseRegion(const std::vector<PixelRun>& runs, const RegionSet& set,
                                        const RegionChoice& choice);

/// What the region options make of a scan: the centre to draw and predict from (the rounded
/// mean with "Subpixel", else the middle of the region's box), the exact mean, and the
/// object's size. The trace's centre must still be the object's last one.
struct RegionCentre {
    PixelPoint centre;
    PrecisePoint exact;
    long long pixels = 0;
};

/// The centre the slot's region options take from the marked pixels of a scan, and the
/// trace's memory of the object brought up to date. With "Zusammenhängend" the frame's region
/// is chosen by the rules above: at the first frame of a run nearest `pick` (the largest
/// region when it is unknown), after a loss most like the object last seen, else nearest
/// `predicted` (where that region has grown far beyond the object, touching a look-alike,
/// only the object-sized part of it around the prediction). "Subpixel" alone takes every
/// marked pixel. Empty when nothing qualifies.
std::optional<RegionCentre> regionCentre(bool connected, bool subpixel,
                                         const std::vector<PixelRun>& runs,
                                         std::optional<PixelPoint> pick, PixelPoint predicted,
                                         SlotTrace& trace);

}  // namespace zebak
