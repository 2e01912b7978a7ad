#pragma once

#include <string>

#include "FfmsFrameSource.h"

namespace zebak {

/// A path in German quotation marks, as the messages show it.
std::string inQuotes(const std::string& path);

/// The decoder's own (English) text, marked as such for a German message.
std::string decoderNote(const std::string& text);

/// Checks the path before FFMS2 sees it, since FFMS2 says "Can't open" for every kind of
/// bad path. Throws FilmError saying what is wrong: missing, a folder, not a regular file,
/// empty, or not readable (with the reason, such as a folder that may not be entered).
void checkFilmFile(const std::string& path);

/// The error for a file FFMS2 cannot index: a film cut short when the demuxer shows it is
/// one (an MP4/MOV that was not written to its end), else a file that is not a film.
FilmError unreadableFilmError(const std::string& path, const std::string& decoderText);

/// The error for a file in which FFMS2 found no video track: damaged or incomplete when the
/// demuxer sees a video stream (or the file is an MP4/MOV), else a file without video.
FilmError noVideoError(const std::string& path, const std::string& decoderText);

/// The cache folder as FfmsFrameSource::cacheFolder() describes it.
std::string filmCacheFolder();

}  // namespace zebak
