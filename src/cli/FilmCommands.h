#pragma once

#include <ostream>

#include <memory>
#include <string>

#include "Arguments.h"
#include "media/FfmsFrameSource.h"

namespace zebak::cli {

/// Opens the film and tells what is wrong with it (damage, a changing frame size) on
/// standard error, one line each, as the windows tell it on loading. Throws FilmError.
std::unique_ptr<FfmsFrameSource> openFilm(
    const std::string& path, FfmsFrameSource::Reading reading = FfmsFrameSource::Reading::Anyhow);

/// `info FILM`: frame count, sizes and frame rate as one JSON object.
int runInfo(Arguments& args, std::ostream& out);
/// `frame FILM N -o OUT.ppm`: frame N at analysis size as binary PPM.
int runFrame(Arguments& args, std::ostream& out);
/// `decode FILM [--from S] [--to E]`: decodes S..E in order, prints count and wall time.
int runDecode(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
