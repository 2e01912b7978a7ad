#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Diagrams.h"
#include "core/Measurement.h"

namespace zebak::cli {

/// `{"1":…,"2":…}` with the value of each analysed slot.
std::string jsonSlots(const ResultDisplay& display,
                      const std::function<std::string(SlotNumber)>& value);

/// The "kinematics" member of the track output: for each analysed slot the three evaluation
/// grids whole (header row first), the six trend lines at smoothing `strength` and the
/// messages filling the grids showed, the differences over the measurement's spread. Starts
/// with ',"kinematics":' so it can follow "tables".
std::string kinematicsJson(const Measurement& state, int strength);

/// One "--fit DIAGRAM:MODEL": a time diagram, its name as given and the model to fit.
struct FitRequest {
    Diagram diagram = Diagram::YT;
    std::string diagramName;
    FitModel model = FitModel::Line;
};

/// Reads the values of "--fit"; throws UsageError for an unknown diagram or model or a
/// diagram named twice.
std::vector<FitRequest> parseFits(const std::vector<std::string>& texts);

/// Reads "--spread": 1 to 50.
int parseSpread(const std::string& text);

/// The "fits" member: for each analysed slot and requested diagram the fit over all its
/// points (model, params, errors, r2, n; or model and error). Starts with ',"fits":'.
std::string fitsJson(const Measurement& state, const std::vector<FitRequest>& fits);

/// Reads "--strength": 1, 3, 5, 7 or 9; throws UsageError for anything else.
int parseStrength(const std::string& text);

}  // namespace zebak::cli
