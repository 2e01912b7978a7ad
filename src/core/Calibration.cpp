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

Messages Tabelleumrechnen(std::array<PositionGrid, 2>& tables, double newFactor, double oldFactor) {
    if (oldFactor == 0.0) return {kEichfaktoraltNull};
    for (PositionGrid& grid : tables)
        rewriteCoordinates(grid, [&](int, double v) { return v * newFactor / oldFactor; });
    return {};
}

Messages Nullpunktumrechnen(PositionGrid& table, double factor, PixelPoint oldOrigin,
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

bool CalibrationRun::begin(ProgramState& state, CalibrationKind kind, FrameSize picture,
                           bool timeOriginToo) {
    if (running()) return false;
    kind_ = kind;
    picture_ = picture;
    timeOriginToo_ = timeOriginToo && kind == CalibrationKind::ManualOrigin;
    timeOriginMoved_ = false;
    if (kind == CalibrationKind::Main)
        state.EichungLaeuft = 1;
    else
        state.EichungErledigt = true;
    if (kind == CalibrationKind::ManualOrigin) {
        state.NullpunktAltX = state.NullpunktX;
        state.NullpunktAltY = state.NullpunktY;
        enter(state, CalibrationStep::Origin);
        return true;
    }
    state.Eichfaktoralt = state.Eichfaktor;
    enter(state, CalibrationStep::StartPoint);
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

void CalibrationRun::enter(ProgramState& state, CalibrationStep step) {
    step_ = step;
    int clickStep = 0;
    switch (step) {
        case CalibrationStep::StartPoint:
            clickStep = 1;
            (kind_ == CalibrationKind::Main ? state.EichpunktAX : state.ManuellEichpunktAX) = -1;
            break;
        case CalibrationStep::EndPoint:
            clickStep = 2;
            (kind_ == CalibrationKind::Main ? state.EichpunktBX : state.ManuellEichpunktBX) = -1;
            break;
        case CalibrationStep::Origin:
            clickStep = 3;
            originBefore_ = {state.NullpunktX, state.NullpunktY};
            state.NullpunktX = -1;
            break;
        case CalibrationStep::Length:
            state.Streckenlaenge = 0.0;
            break;
        case CalibrationStep::Idle:
        case CalibrationStep::OriginQuestion:
            break;
    }
    (kind_ == CalibrationKind::Main ? state.Eichschritt : state.Kalibrierschritt) = clickStep;
}

Messages CalibrationRun::click(ProgramState& state, PixelPoint point) {
    const bool main = kind_ == CalibrationKind::Main;
    switch (step_) {
        case CalibrationStep::StartPoint:
            (main ? state.EichpunktAX : state.ManuellEichpunktAX) = point.x;
            (main ? state.EichpunktAY : state.ManuellEichpunktAY) = point.y;
            enter(state, CalibrationStep::EndPoint);
            return {};
        case CalibrationStep::EndPoint:
            (main ? state.EichpunktBX : state.ManuellEichpunktBX) = point.x;
            (main ? state.EichpunktBY : state.ManuellEichpunktBY) = point.y;
            enter(state, CalibrationStep::Length);
            return {};
        case CalibrationStep::Origin:
            state.NullpunktX = point.x;
            state.NullpunktY = point.y;
            return finish(state);
        default:
            return {};
    }
}

bool CalibrationRun::length(ProgramState& state, double lengthM, Messages& messages) {
    if (step_ != CalibrationStep::Length || lengthM == 0.0 || !std::isfinite(lengthM)) return false;
    state.Streckenlaenge = lengthM;
    formFactor(state, messages);
    if (kind_ == CalibrationKind::Main) {
        enter(state, CalibrationStep::OriginQuestion);
    } else {
        const Messages end = finish(state);
        messages.insert(messages.end(), end.begin(), end.end());
    }
    return true;
}

void CalibrationRun::formFactor(ProgramState& state, Messages& messages) const {
    const bool main = kind_ == CalibrationKind::Main;
    const std::optional<double> factor =
        main ? calibrationFactor(state.EichpunktAX, state.EichpunktAY, state.EichpunktBX,
                                 state.EichpunktBY, state.Streckenlaenge)
             : calibrationFactor(state.ManuellEichpunktAX, state.ManuellEichpunktAY,
                                 state.ManuellEichpunktBX, state.ManuellEichpunktBY,
                                 state.Streckenlaenge);
    // A factor that would put a pixel of the picture beyond the largest coordinate the tables
    // can write fails as the division by a zero distance does: the old factor stays.
    if (factor && calibrationFits(*factor, picture_.width, picture_.height, state.NullpunktX,
                                  state.NullpunktY)) {
        state.Eichfaktor = *factor;
        return;
    }
    messages.emplace_back(main ? kEichfehler : kManuellEichfehler);
}

Messages CalibrationRun::originAnswer(ProgramState& state, bool moveOrigin) {
    if (step_ != CalibrationStep::OriginQuestion) return {};
    if (moveOrigin) {
        enter(state, CalibrationStep::Origin);
        return {};
    }
    return finish(state);
}

Messages CalibrationRun::finish(ProgramState& state) {
    Messages messages;
    auto& tables = state.analyse.tabellen;
    enter(state, CalibrationStep::Idle);
    if (kind_ == CalibrationKind::Main) {
        state.EichungLaeuft = 0;
        // Rows beyond the first data row in either table: there is something to rescale.
        if (tables[0].rowCount() + tables[1].rowCount() > 4)
            messages = Tabelleumrechnen(tables, state.Eichfaktor, state.Eichfaktoralt);
    } else if (kind_ == CalibrationKind::Manual) {
        messages = Tabelleumrechnen(tables, state.Eichfaktor, state.Eichfaktoralt);
    } else {
        messages = Nullpunktumrechnen(tables[0], state.Eichfaktor,
                                      {state.NullpunktAltX, state.NullpunktAltY},
                                      {state.NullpunktX, state.NullpunktY});
        if (timeOriginToo_) {
            if (tables[0].rowCount() > 2) {
                messages.emplace_back(kMesswerteGeloescht);
                tables[0].reset();
            }
            timeOriginMoved_ = true;
        }
    }
    return messages;
}

void CalibrationRun::abandon(ProgramState& state) {
    if (!running()) return;
    if (step_ == CalibrationStep::Origin) {
        state.NullpunktX = originBefore_.x;
        state.NullpunktY = originBefore_.y;
    }
    if (kind_ == CalibrationKind::Main) state.EichungLaeuft = 0;
    enter(state, CalibrationStep::Idle);
}

}  // namespace zebak
