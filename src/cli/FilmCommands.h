#pragma once

#include <ostream>

#include "Arguments.h"

namespace zebak::cli {

/// `info FILM`: frame count, sizes and frame rate as one JSON object.
int runInfo(Arguments& args, std::ostream& out);
/// `frame FILM N -o OUT.ppm`: frame N at analysis size as binary PPM.
int runFrame(Arguments& args, std::ostream& out);
/// `decode FILM [--from S] [--to E]`: decodes S..E in order, prints count and wall time.
int runDecode(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
