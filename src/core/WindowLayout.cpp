#include "WindowLayout.h"

#include <algorithm>

namespace zebak {

namespace {

constexpr int kGap = 8;

/// The place of `frame` fitted into `room`, at the room's top-left corner (or bottom-left
/// with `atBottom`); empty when the room is.
ScreenRect fitInto(FrameSize frame, const ScreenRect& room, bool atBottom) {
    if (room.width <= 0 || room.height <= 0) return {room.x, room.y, 0, 0};
    const FrameSize size = fitFrame(frame, {room.width, room.height});
    const int top = atBottom ? room.bottom() - size.height : room.y;
    return {room.x, top, size.width, size.height};
}

/// The share of the frame a place shows: 1 at full size.
double shownShare(const ScreenRect& place, FrameSize frame) {
    return frame.width > 0 ? static_cast<double>(place.width) / frame.width : 0.0;
}

}  // namespace

FrameSize fitFrame(FrameSize frame, FrameSize room) {
    if (frame.width <= 0 || frame.height <= 0 || room.width <= 0 || room.height <= 0) return {0, 0};
    if (frame.width <= room.width && frame.height <= room.height) return frame;
    // Products first, so the fitted side is exact where it is the limiting one.
    const long long byWidth = static_cast<long long>(frame.height) * room.width;
    const long long byHeight = static_cast<long long>(frame.width) * room.height;
    if (byWidth / frame.width <= room.height)
        return {room.width, std::max(1, static_cast<int>(byWidth / frame.width))};
    return {std::max(1, static_cast<int>(byHeight / frame.height)), room.height};
}

ResultWindowPlace placeResultWindow(const ScreenLayoutInput& in) {
    using namespace written;
    const ScreenRect& s = in.screen;
    const int tablesTop = in.clientY + kTablesTop;
    const ScreenRect tables{in.clientX + kTablesLeft, tablesTop, kTablesWidth, kTablesHeight};
    const ScreenRect display = analysisDisplay(in);

    // The written place, where it is on the screen and covers nothing in use.
    const ScreenRect writtenPlace{kResultX, kResultY, in.frame.width, in.frame.height};
    const ScreenRect withTitle{kResultX, kResultY - in.titleBar, in.frame.width,
                               in.frame.height + in.titleBar};
    if (s.contains(withTitle) && !(in.tablesShown && withTitle.overlaps(tables)) &&
        !withTitle.overlaps(display))
        return {writtenPlace, kTablesHeight};

    // Right of the design area, as high as the screen; the tables take the free height.
    const int rightLeft = std::max(in.clientX + kDesignWidth + kGap, display.right() + kGap);
    const ScreenRect rightRoom{rightLeft, in.clientY + in.titleBar + kGap,
                               s.right() - rightLeft - kGap,
                               s.bottom() - in.clientY - in.titleBar - 2 * kGap};
    const ScreenRect right = fitInto(in.frame, rightRoom, false);
    const int freeTablesHeight = std::max(kTablesHeight, s.bottom() - tablesTop - kGap);

    // Below the tables at their written height, at the bottom of the screen; the tables
    // take what is left above it.
    const int belowTop = (in.tablesShown ? tablesTop + kTablesHeight : tablesTop) + kGap;
    const ScreenRect belowRoom{in.clientX + kTablesLeft, belowTop + in.titleBar,
                               s.right() - in.clientX - kTablesLeft - kGap,
                               s.bottom() - belowTop - in.titleBar - kGap};
    const ScreenRect below = fitInto(in.frame, belowRoom, true);
    if (shownShare(right, in.frame) >= shownShare(below, in.frame) && right.width > 0)
        return {right, freeTablesHeight};
    const int tablesHeight = std::max(kTablesHeight, below.y - in.titleBar - kGap - tablesTop);
    return {below, tablesHeight};
}

ScreenRect analysisDisplay(const ScreenLayoutInput& in) {
    using namespace written;
    const int x = in.displayX, y = in.displayY;
    const int right = std::min(in.clientX + kTablesLeft - kGap, in.screen.right());
    const int bottom = std::min(in.clientY + kAbortTop - kGap, in.screen.bottom());
    return fitInto(in.frame, {x, y, right - x, bottom - y}, false);
}

ScreenRect fullFrameDisplay(const ScreenLayoutInput& in) {
    const int x = in.displayX, y = in.displayY;
    return fitInto(in.frame, {x, y, in.screen.right() - x, in.screen.bottom() - y}, false);
}

}  // namespace zebak
