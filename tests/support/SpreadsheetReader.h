#pragma once

// Reads written .xlsx workbooks back through LibreOffice: one headless conversion of several
// workbooks into CSV, text cells in quotes and numbers bare, so a test sees which is which.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/Process.h"

namespace zebak::test {

/// One sheet as CSV fields per row; a text cell keeps its quotes ("\"t /s\""), a number is
/// bare ("0.04"), an empty cell is "".
using SheetFields = std::vector<std::vector<std::string>>;

/// Splits CSV text at commas outside quotes and at line ends; quotes stay in the fields.
inline SheetFields parseSheetCsv(const std::string& csv) {
    SheetFields rows(1);
    rows.back().emplace_back();
    bool quoted = false;
    for (char c : csv) {
        if (c == '"') quoted = !quoted;
        if (!quoted && c == ',') {
            rows.back().emplace_back();
        } else if (!quoted && (c == '\n' || c == '\r')) {
            if (rows.back().size() > 1 || !rows.back().back().empty()) rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    if (rows.back().size() == 1 && rows.back().back().empty()) rows.pop_back();
    return rows;
}

/// Converts the workbooks' first sheets with LibreOffice in one call and returns their
/// fields in the order given; an empty result with `error` set when the conversion failed.
inline std::vector<SheetFields> readWorkbooks(const std::vector<std::filesystem::path>& books,
                                              std::string& error) {
    namespace fs = std::filesystem;
    const fs::path work = fs::temp_directory_path() / ("zebak-calc-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "out");
    // Comma, double quotes, UTF-8, quote every text cell, raw values rather than shown ones.
    std::string command = "soffice --headless --norestore -env:UserInstallation=file://" +
                          (work / "profile").string() +
                          " --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,"
                          "true,false' --outdir " +
                          shellQuote((work / "out").string());
    for (const fs::path& book : books) command += " " + shellQuote(book.string());
    const ProcessResult run = runCommandWithErrors(command);
    std::vector<SheetFields> sheets;
    for (const fs::path& book : books) {
        std::ifstream in(work / "out" / book.filename().replace_extension(".csv"),
                         std::ios::binary);
        if (!in) {
            error = "soffice (status " + std::to_string(run.status) + "): " + run.out + run.err;
            sheets.clear();
            break;
        }
        std::ostringstream text;
        text << in.rdbuf();
        sheets.push_back(parseSheetCsv(text.str()));
    }
    fs::remove_all(work);
    return sheets;
}

}  // namespace zebak::test
