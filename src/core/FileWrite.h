#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zebak {

/// A file that could not be written; the text names the file and the system's reason.
class FileWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Writes bytes to path so that a reader never sees half a file and a failure changes
/// nothing:
/// - a regular file, or a path that does not exist yet, is written to a temporary file with
///   a unique name in the same folder, which is then renamed over the target (a symbolic
///   link to a regular file has its target written; the link stays);
/// - a symbolic link that the kernel would not follow for this user (one planted by another
///   user in a shared folder with the sticky bit, such as /tmp) is refused;
/// - anything else (a device such as /dev/null or /dev/stdout, a pipe, a link to one) is
///   written straight through, since renaming over it would replace it by a regular file.
/// Throws FileWriteError when anything fails; no temporary file is left behind then.
void writeFileSafely(const std::string& path, std::string_view bytes);

/// A name next to file for writing it first: unique to this writer and call, so two
/// programs writing the same target at once never write into one temporary file. It fits
/// beside a file name of any valid length (a long name is shortened in it).
std::string temporaryNameFor(const std::string& file);

/// The text cut to at most `bytes` bytes, never inside a UTF-8 character.
std::string cutToBytes(std::string text, std::size_t bytes);

/// The German reason for a failed write with the system's error number `error`, such as
/// "keine Berechtigung, hier zu schreiben"; the system's own text for rare ones.
std::string writeFailureReason(int error);

}  // namespace zebak
