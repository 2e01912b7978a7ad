#pragma once

#include "VideoSize.h"

namespace zebak {

/// A rectangle of screen pixels: left, top, width, height.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    /// True when the two rectangles share at least one pixel.
    bool overlaps(const ScreenRect& o) const {
        return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
    }
    /// True when `o` lies wholly inside this rectangle.
    bool contains(const ScreenRect& o) const {
        return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
    }
    friend constexpr bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

/// What the places of the analysis windows depend on.
struct ScreenLayoutInput {
    /// The screen's available geometry (without panels and docks).
    ScreenRect screen;
    /// Where the main window's client area starts on the screen.
    int clientX = 0;
    int clientY = 0;
    /// Where the display window's top-left corner stands during an analysis.
    int displayX = 0;
    int displayY = 0;
    /// The frame at analysis size.
    FrameSize frame;
    /// The position tables are shown (they are hidden in the stroboscope mode).
    bool tablesShown = true;
    /// Room the window manager needs above a window's client area for its title bar.
    int titleBar = 0;
};

/// Where the search result window goes and how high the position tables may grow.
struct ResultWindowPlace {
    /// The client area of the result window on the screen; the picture is scaled into it
    /// when the frame is larger (never enlarged).
    ScreenRect window;
    /// The height of the two position tables.
    int tablesHeight = 0;
};

/// The written client places of the main window this layout keeps clear.
namespace written {
/// The position tables: left, top, width of both with the gap, height.
constexpr int kTablesLeft = 541, kTablesTop = 384, kTablesWidth = 452, kTablesHeight = 120;
/// The width of the main window's design area.
constexpr int kDesignWidth = 1012;
/// The top of the "Abbrechen" button and the found indicator.
constexpr int kAbortTop = 544;
/// The result window's written place, screen pixels.
constexpr int kResultX = 538, kResultY = 422;
}  // namespace written

/// The largest size of `frame` (its aspect ratio kept, never enlarged) inside `room`.
FrameSize fitFrame(FrameSize frame, FrameSize room);

/// Places the search result window so that it lies on the screen and covers neither the
/// position tables nor the display window's place during an analysis. The written place
/// holds where that is true of it; otherwise the window goes right of the main window's
/// design area or below the tables, whichever shows the picture larger. Right of the
/// design area the tables take the screen's free height.
ResultWindowPlace placeResultWindow(const ScreenLayoutInput& in);

/// The display window during an analysis, its top-left corner at (displayX, displayY): the
/// full frame, scaled down where it is larger than the room left of the position tables and
/// above the "Abbrechen" button (and the screen), so it covers neither.
ScreenRect analysisDisplay(const ScreenLayoutInput& in);

/// The display window showing the full frame with its top-left corner at (displayX,
/// displayY), scaled down only where the frame is larger than the screen (the calibration's
/// two points are clicked on it).
ScreenRect fullFrameDisplay(const ScreenLayoutInput& in);

}  // namespace zebak
