#pragma once

#include <string>

#include "core/ProgramState.h"

namespace zebak::cli {

/// The "kinematics" member of the track output: for each analysed slot the three evaluation
/// grids whole (header row first), the six trend lines at smoothing `strength` and the
/// messages filling the grids showed. Starts with ',"kinematics":' so it can follow "tables".
std::string kinematicsJson(const ProgramState& state, int strength);

/// Reads "--strength": 1, 3, 5, 7 or 9; throws UsageError for anything else.
int parseStrength(const std::string& text);

}  // namespace zebak::cli
