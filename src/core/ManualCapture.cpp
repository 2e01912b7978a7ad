#include "ManualCapture.h"

#include <algorithm>

#include "NumberText.h"
#include "PositionTable.h"

namespace zebak {

int writeManualRow(TrackResult& track, const ManualRowRules& rules, int n, PixelPoint p) {
    const int offset = n - rules.start;
    if (offset < 0) return 0;  // a row index before the table's first row
    const Calibration& c = rules.calibration;
    const std::string t = fixedText(frameTimeS(rules.timing, rules.start, n), 3);
    const std::string x = fixedText(static_cast<double>(p.x - c.origin.x) * c.factorMPerPx, 5);
    const std::string y = fixedText(static_cast<double>(c.origin.y - p.y - 1) * c.factorMPerPx, 5);
    PositionGrid& table = track.grid;
    const int row = offset + 1;
    if (table.rowCount() < row + 1) table.setRowCount(row + 1);
    table.setCell(row, 0, t);
    table.setCell(row, 1, x);
    table.setCell(row, 2, y);
    if (track.found.size() < static_cast<std::size_t>(row + 1))
        track.found.resize(static_cast<std::size_t>(row + 1), false);
    track.found[static_cast<std::size_t>(row)] = true;
    return row;
}

namespace {

std::string mouseLabel(const char* axis, double pixels, double factor) {
    const char* unit = factor == 1.0 ? " Pixel" : " m";
    return std::string(axis) + lengthText(pixels * factor) + unit;
}

}  // namespace

std::string mouseLabelX(const Calibration& calibration, int px) {
    return mouseLabel("x: ", px - calibration.origin.x, calibration.factorMPerPx);
}

std::string mouseLabelY(const Calibration& calibration, int py) {
    return mouseLabel("y: ", calibration.origin.y - py - 1, calibration.factorMPerPx);
}

ManualEvaluationCheck checkManualEvaluation(const PositionGrid& table) {
    ManualEvaluationCheck check;
    if (table.rowCount() <= 3) {
        check.refusal = kZuWenigMesswerte;
        return check;
    }
    for (int row = 1; row < table.rowCount(); ++row)
        if (table.cell(row, 1).empty()) {
            check.warning = kUebersprungen;
            break;
        }
    check.opens = true;
    return check;
}

PictureRect letterbox(FrameSize picture, FrameSize screen) {
    if (picture.width <= 0 || picture.height <= 0 || screen.width <= 0 || screen.height <= 0)
        return {};
    // Compare the aspect ratios in whole numbers: which side of the screen the picture fills.
    const long long wide = static_cast<long long>(screen.width) * picture.height;
    const long long tall = static_cast<long long>(screen.height) * picture.width;
    PictureRect r;
    if (wide >= tall) {  // the screen is wider: black bars left and right
        r.height = screen.height;
        r.width = static_cast<int>(static_cast<long long>(screen.height) * picture.width /
                                   picture.height);
    } else {
        r.width = screen.width;
        r.height =
            static_cast<int>(static_cast<long long>(screen.width) * picture.height / picture.width);
    }
    r.width = std::max(r.width, 1);
    r.height = std::max(r.height, 1);
    r.left = (screen.width - r.width) / 2;
    r.top = (screen.height - r.height) / 2;
    return r;
}

std::optional<PixelPoint> screenToPicture(PixelPoint screen, PictureRect shown) {
    const int x = screen.x - shown.left;
    const int y = screen.y - shown.top;
    if (x < 0 || y < 0 || x >= shown.width || y >= shown.height) return std::nullopt;
    return PixelPoint{x, y};
}

}  // namespace zebak
