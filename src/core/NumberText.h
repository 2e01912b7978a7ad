#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zebak {

/// Trims a number text (`Nullenweg`): a text without "." is returned unchanged; otherwise trailing
/// "0"s are removed and then a trailing "." ("0.04000" -> "0.04", "2.00000" -> "2").
std::string trimZeros(std::string text);

/// The value as fixed-point text with `decimals` decimals and "." as separator whatever the
/// locale; a leading "-" for negatives, no thousands separator, no exponent. Rounded to the
/// nearest representable text; a value that rounds to zero is written without "-".
/// NaN and infinities give an empty text (there is no number to show).
std::string fixedText(double value, int decimals);

/// A time in seconds as the tables write it: 3 decimals, trimmed.
inline std::string timeText(double seconds) { return trimZeros(fixedText(seconds, 3)); }
/// A length (or velocity, acceleration) as the tables write it: 5 decimals, trimmed.
inline std::string lengthText(double value) { return trimZeros(fixedText(value, 5)); }

/// The number-key filter of every field in which numbers are typed: backspace (8), Enter
/// (13), "-", "." and the digits pass unchanged, "," becomes ".", anything else becomes
/// character 0, which discards the key.
char nurzahlen(char key);

/// Reads a cell's text as a number: surrounding spaces are ignored, an empty text reads as 0;
/// otherwise an optional leading "-", then digits with at most one "." and at least one
/// digit ("12", "-0.5", "3.", ".25"). Any other text ("1.2.3", "-", ".", "1-2", "1e5", "abc")
/// is not a number: the result is empty and the caller treats the cell as holding no value.
std::optional<double> readCellNumber(std::string_view text);

}  // namespace zebak
