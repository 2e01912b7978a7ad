#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zebak::cli {

/// A command line that cannot be used; the text is the one line shown to the user.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The words after the command name, read front to back. A word "--" ends the options:
/// every word after it is positional, even one that starts with "-".
class Arguments {
  public:
    explicit Arguments(std::vector<std::string> words);

    /// Takes the next positional word; throws UsageError naming `what` when there is none.
    std::string positional(const std::string& what);
    /// True when a positional word comes next.
    bool hasPositional() const;
    /// Takes the value of option `name` (e.g. "--from") if present, removing both words;
    /// throws UsageError when the option is given twice or has no value.
    std::optional<std::string> option(const std::string& name);
    /// Takes every value of the repeatable option `name`, in order, removing the words;
    /// throws UsageError when one has no value.
    std::vector<std::string> options(const std::string& name);
    /// Takes flag `name` if present; throws UsageError when it is given twice.
    bool flag(const std::string& name);
    /// Throws UsageError when words are left over (unknown options or extra words).
    void expectEnd() const;

  private:
    std::vector<std::string> words_;     // before "--"
    std::vector<std::string> afterEnd_;  // after "--": positional only
};

/// Throws UsageError when `output` names the file `input` itself (the same file on the same
/// device, directly or through a link): writing there would destroy the film being read.
void refuseOutputOverInput(const std::string& input, const std::optional<std::string>& output);

/// Reads a whole decimal integer in [min, max]; throws UsageError naming `what` otherwise.
int parseInt(const std::string& text, const std::string& what, int min, int max);

/// Reads `count` comma-separated integers, each in [min, max].
std::vector<int> parseIntList(const std::string& text, const std::string& what, std::size_t count,
                              int min, int max);

/// Reads a finite decimal number ("." as separator); throws UsageError otherwise.
double parseDouble(const std::string& text, const std::string& what);

/// Shortest text that reads back as the same double ("30", "29.97002997002997").
std::string formatNumber(double value);

/// A text as a JSON string literal, quotes included.
std::string jsonString(const std::string& text);

}  // namespace zebak::cli
