#include "spreadsheet/Workbook.h"

#include <xlsxwriter.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/FileWrite.h"

namespace zebak {

namespace {
namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw FileWriteError("Die Datei \xE2\x80\x9E" + path +
                         "\xE2\x80\x9C kann nicht geschrieben werden (" + reason + ").");
}

/// Writes one cell; the library's status.
lxw_error writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
                    const std::string& text) {
    const SheetCell cell = sheetCell(text);
    switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return LXW_NO_ERROR;
        case SheetCell::Kind::Number:
            return worksheet_write_number(sheet, row, column, cell.number, nullptr);
        case SheetCell::Kind::Text:
            break;
    }
    return worksheet_write_string(sheet, row, column, text.c_str(), nullptr);
}

/// Fills the sheet; the first failing write's status, else LXW_NO_ERROR.
lxw_error writeRows(lxw_worksheet* sheet, const std::vector<SheetRow>& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const lxw_error status =
                writeCell(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), rows[r][c]);
            if (status != LXW_NO_ERROR) return status;
        }
    return LXW_NO_ERROR;
}

/// Builds the workbook in the file `scratch`; the reason when that failed, else empty.
std::string buildWorkbook(const std::string& scratch, const std::vector<SheetRow>& rows) {
    lxw_workbook* book = workbook_new(scratch.c_str());
    if (book == nullptr) return "die Arbeitsmappe kann nicht angelegt werden";
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Tabelle1");
    lxw_error status = sheet == nullptr ? LXW_ERROR_MEMORY_MALLOC_FAILED : writeRows(sheet, rows);
    // Closing frees the workbook in every case, and writes the file.
    const lxw_error closed = workbook_close(book);
    if (status == LXW_NO_ERROR) status = closed;
    return status == LXW_NO_ERROR ? std::string() : lxw_strerror(status);
}

std::string readWhole(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

void writeWorkbook(const std::string& path, const std::vector<SheetRow>& rows) {
    std::error_code ec;
    fs::path folder = fs::temp_directory_path(ec);
    // An empty TMPDIR counts as none set, as it does for the system's own tools.
    if (ec || folder.empty()) folder = "/tmp";
    // The library writes to a path of its own choosing only; it gets a private scratch file,
    // whose bytes then go to the target through the atomic writer.
    const std::string scratch = temporaryNameFor((folder / "zebak-arbeitsmappe.xlsx").string());
    const std::string reason = buildWorkbook(scratch, rows);
    std::string bytes;
    if (reason.empty()) bytes = readWhole(scratch);
    fs::remove(scratch, ec);
    if (!reason.empty()) fail(path, reason);
    if (bytes.empty()) fail(path, "die Arbeitsmappe ist leer geblieben");
    writeFileSafely(path, bytes);
}

}  // namespace zebak
