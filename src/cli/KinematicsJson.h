#pragma once

#include <functional>
#include <string>

#include "core/Measurement.h"

namespace zebak::cli {

/// `{"1":…,"2":…}` with the value of each analysed slot.
std::string jsonSlots(const ResultDisplay& display,
                      const std::function<std::string(SlotNumber)>& value);

/// The "kinematics" member of the track output: for each analysed slot the three evaluation
/// grids whole (header row first), the six trend lines at smoothing `strength` and the
/// messages filling the grids showed. Starts with ',"kinematics":' so it can follow "tables".
std::string kinematicsJson(const Measurement& state, int strength);

/// Reads "--strength": 1, 3, 5, 7 or 9; throws UsageError for anything else.
int parseStrength(const std::string& text);

}  // namespace zebak::cli
