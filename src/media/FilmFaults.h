#pragma once

// The film's faults told to the user. Not part of the media library's interface.

#include "FfmsSourceState.h"

namespace zebak {

/// Adds the warnings of the film's faults to its info: frames that do not decode (at the
/// end, or missing in the middle, named with where they are) and a frame size that changes.
void describeFaults(FfmsFrameSource::Impl& impl);

}  // namespace zebak
