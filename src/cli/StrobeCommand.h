#pragma once

#include <ostream>

#include "Arguments.h"

namespace zebak::cli {

/// `strobe FILM [options] -o OUT.png`: builds the stroboscopic picture at analysis size,
/// writes it as an RGB PNG and prints {"frames":count,"seconds":wall}.
int runStrobe(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
