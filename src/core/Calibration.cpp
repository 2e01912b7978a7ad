#include "Calibration.h"

#include <cmath>

#include "NumberText.h"
#include "PositionTable.h"

namespace zebak {

namespace {

/// Rewrites the x and y cells of rows 1 to the last with `change`; empty cells, texts that
/// are no number and results that are not finite keep their text.
template <typename Change>
void rewriteCoordinates(PositionGrid& grid, Change change) {
    for (int row = 1; row < grid.rowCount(); ++row)
        for (int column = 1; column <= 2; ++column) {
            const std::string& text = grid.cell(row, column);
            if (text.empty()) continue;
            const std::optional<double> value = readCellNumber(text);
            if (!value) continue;
            const double changed = change(column, *value);
            if (std::isfinite(changed)) grid.setCell(row, column, lengthText(changed));
        }
}

}  // namespace

Messages rescaleTables(std::array<TrackResult, 2>& tables, double newFactor, double oldFactor) {
    if (oldFactor == 0.0) return {kEichfaktoraltNull};
    for (TrackResult& track : tables)
        rewriteCoordinates(track.grid, [&](int, double v) { return v * newFactor / oldFactor; });
    return {};
}

Messages moveTableOrigin(PositionGrid& table, double factor, PixelPoint oldOrigin,
                         PixelPoint newOrigin) {
    if (factor == 0.0) return {kEichfehler};
    rewriteCoordinates(table, [&](int column, double v) {
        const double pixels = v / factor;  // relative to the old origin
        if (column == 1) return (pixels + oldOrigin.x - newOrigin.x) * factor;
        return (pixels - oldOrigin.y + newOrigin.y) * factor;
    });
    return {};
}

std::optional<double> readLength(std::string_view text) {
    std::string dotted(text);
    for (char& c : dotted)
        if (c == ',') c = '.';
    if (dotted.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const std::optional<double> value = readCellNumber(dotted);
    if (!value || *value == 0.0 || !std::isfinite(*value)) return std::nullopt;
    return value;
}

bool CalibrationRun::begin(CalibrationTarget t, CalibrationKind kind, FrameSize picture,
                           bool timeOriginToo) {
    if (running()) return false;
    kind_ = kind;
    picture_ = picture;
    timeOriginToo_ = timeOriginToo && kind == CalibrationKind::ManualOrigin;
    timeOriginMoved_ = false;
    if (kind == CalibrationKind::ManualOrigin) {
        previousOrigin_ = t.calibration.origin;
        enter(t, CalibrationStep::Origin);
        return true;
    }
    previousFactor_ = t.calibration.factorMPerPx;
    enter(t, CalibrationStep::StartPoint);
    return true;
}

bool CalibrationRun::awaitsClick() const {
    return step_ == CalibrationStep::StartPoint || step_ == CalibrationStep::EndPoint ||
           step_ == CalibrationStep::Origin;
}

const char* CalibrationRun::prompt() const {
    const bool main = kind_ == CalibrationKind::Main;
    if (step_ == CalibrationStep::StartPoint) return main ? kAnfangspunkt : kManuellAnfangspunkt;
    if (step_ == CalibrationStep::EndPoint) return main ? kEndpunkt : kManuellEndpunkt;
    return nullptr;
}

void CalibrationRun::enter(CalibrationTarget t, CalibrationStep step) {
    step_ = step;
    // The value a step waits for is -1 until it is clicked.
    switch (step) {
        case CalibrationStep::StartPoint:
            t.line.a.x = -1;
            break;
        case CalibrationStep::EndPoint:
            t.line.b.x = -1;
            break;
        case CalibrationStep::Origin:
            originBefore_ = t.calibration.origin;
            t.calibration.origin.x = -1;
            break;
        case CalibrationStep::Length:
            t.line.lengthM = 0.0;
            break;
        case CalibrationStep::Idle:
        case CalibrationStep::OriginQuestion:
            break;
    }
}

Messages CalibrationRun::click(CalibrationTarget t, PixelPoint point) {
    switch (step_) {
        case CalibrationStep::StartPoint:
            t.line.a = point;
            enter(t, CalibrationStep::EndPoint);
            return {};
        case CalibrationStep::EndPoint:
            t.line.b = point;
            enter(t, CalibrationStep::Length);
            return {};
        case CalibrationStep::Origin:
            t.calibration.origin = point;
            return finish(t);
        default:
            return {};
    }
}

bool CalibrationRun::length(CalibrationTarget t, double lengthM, Messages& messages) {
    if (step_ != CalibrationStep::Length || lengthM == 0.0 || !std::isfinite(lengthM)) return false;
    t.line.lengthM = lengthM;
    formFactor(t, messages);
    if (kind_ == CalibrationKind::Main) {
        enter(t, CalibrationStep::OriginQuestion);
    } else {
        const Messages end = finish(t);
        messages.insert(messages.end(), end.begin(), end.end());
    }
    return true;
}

void CalibrationRun::formFactor(CalibrationTarget t, Messages& messages) const {
    const bool main = kind_ == CalibrationKind::Main;
    const CalibrationLine& l = t.line;
    const std::optional<double> factor = calibrationFactor(l.a.x, l.a.y, l.b.x, l.b.y, l.lengthM);
    // A factor that would put a pixel of the picture beyond the largest coordinate the tables
    // can write fails as the division by a zero distance does: the old factor stays.
    const PixelPoint origin = t.calibration.origin;
    if (factor && calibrationFits(*factor, picture_.width, picture_.height, origin.x, origin.y)) {
        t.calibration.factorMPerPx = *factor;
        return;
    }
    messages.emplace_back(main ? kEichfehler : kManuellEichfehler);
}

Messages CalibrationRun::originAnswer(CalibrationTarget t, bool moveOrigin) {
    if (step_ != CalibrationStep::OriginQuestion) return {};
    if (moveOrigin) {
        enter(t, CalibrationStep::Origin);
        return {};
    }
    return finish(t);
}

Messages CalibrationRun::finish(CalibrationTarget t) {
    Messages messages;
    std::array<TrackResult, 2>& tables = t.tracks;
    const double factor = t.calibration.factorMPerPx;
    enter(t, CalibrationStep::Idle);
    if (kind_ == CalibrationKind::Main) {
        // Rows beyond the first data row in either table: there is something to rescale.
        if (tables[0].grid.rowCount() + tables[1].grid.rowCount() > 4)
            messages = rescaleTables(tables, factor, previousFactor_);
    } else if (kind_ == CalibrationKind::Manual) {
        messages = rescaleTables(tables, factor, previousFactor_);
    } else {
        messages = moveTableOrigin(tables[0].grid, factor, previousOrigin_, t.calibration.origin);
        if (timeOriginToo_) {
            if (tables[0].grid.rowCount() > 2) {
                messages.emplace_back(kMesswerteGeloescht);
                tables[0].grid.reset();
                tables[0].found.clear();
            }
            timeOriginMoved_ = true;
        }
    }
    return messages;
}

void CalibrationRun::abandon(CalibrationTarget t) {
    if (!running()) return;
    if (step_ == CalibrationStep::Origin) t.calibration.origin = originBefore_;
    enter(t, CalibrationStep::Idle);
}

}  // namespace zebak
