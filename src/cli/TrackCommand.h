#pragma once

#include <ostream>

#include "Arguments.h"

namespace zebak::cli {

/// `track FILM [options]`: runs the film analysis with the given settings and prints the
/// position tables (JSON) or the export text of the lowest analysed slot (csv, txt).
int runTrack(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
