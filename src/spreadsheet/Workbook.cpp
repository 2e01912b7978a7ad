#include "spreadsheet/Workbook.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
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

/// The library's status in German, for the one line the user sees.
std::string statusText(lxw_error status) {
    switch (status) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return "zu wenig Arbeitsspeicher";
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_READING_TMPFILE:
            return "die Zwischendateien der Arbeitsmappe können nicht geschrieben werden";
        case LXW_ERROR_ZIP_FILE_OPERATION:
        case LXW_ERROR_ZIP_FILE_ADD:
        case LXW_ERROR_ZIP_CLOSE:
        case LXW_ERROR_ZIP_BAD_ZIP_FILE:
        case LXW_ERROR_ZIP_INTERNAL_ERROR:
        case LXW_ERROR_ZIP_PARAMETER_ERROR:
            return "die Arbeitsmappe kann nicht vollständig geschrieben werden";
        default:
            break;
    }
    return std::string("Meldung der Bibliothek: ") + lxw_strerror(status);
}

/// Keeps the library's own error lines off standard error while it lives: the caller
/// reports a failure in one line of its own.
class QuietStandardError {
  public:
    QuietStandardError() : saved_(::dup(STDERR_FILENO)) {
        std::fflush(stderr);
        const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && sink >= 0) ::dup2(sink, STDERR_FILENO);
        if (sink >= 0) ::close(sink);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_;
};

/// Builds the workbook in the file `scratch`, with the library's own passing files in
/// `folder`; the reason when that failed, else empty.
std::string buildWorkbook(const std::string& scratch, const std::string& folder,
                          const std::vector<SheetRow>& rows) {
    QuietStandardError quiet;
    lxw_workbook_options options{};
    std::string tmpdir = folder;
    options.tmpdir = tmpdir.data();
    lxw_workbook* book = workbook_new_opt(scratch.c_str(), &options);
    if (book == nullptr) return "die Arbeitsmappe kann nicht angelegt werden";
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Tabelle1");
    lxw_error status = sheet == nullptr ? LXW_ERROR_MEMORY_MALLOC_FAILED : writeRows(sheet, rows);
    // Closing frees the workbook in every case, and writes the file.
    const lxw_error closed = workbook_close(book);
    if (status == LXW_NO_ERROR) status = closed;
    return status == LXW_NO_ERROR ? std::string() : statusText(status);
}

/// A scratch file of this call's own, made exclusively beside the target (so the workbook
/// needs no temporary folder), or in the temporary folder where the target's folder takes
/// none (a device such as /dev/stdout). Empty with `error` set when neither can be made.
std::string makeScratch(const std::string& path, int& error) {
    std::vector<fs::path> folders{fs::path(path).parent_path()};
    if (folders.front().empty()) folders.front() = ".";
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    // An empty TMPDIR counts as none set, as it does for the system's own tools.
    folders.push_back(ec || temp.empty() ? fs::path("/tmp") : temp);
    error = 0;
    for (const fs::path& folder : folders) {
        const std::string scratch = temporaryNameFor((folder / "arbeitsmappe.xlsx").string());
        const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return scratch;
        }
        if (error == 0) error = errno;
    }
    return {};
}

std::string readWhole(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

void writeWorkbook(const std::string& path, const std::vector<SheetRow>& rows) {
    int error = 0;
    const std::string scratch = makeScratch(path, error);
    if (scratch.empty()) fail(path, writeFailureReason(error));
    // The library writes to a path of its own choosing only; it gets the scratch file, whose
    // bytes then go to the target through the atomic writer.
    const std::string reason =
        buildWorkbook(scratch, fs::path(scratch).parent_path().string(), rows);
    std::string bytes;
    if (reason.empty()) bytes = readWhole(scratch);
    std::error_code ec;
    fs::remove(scratch, ec);
    if (!reason.empty()) fail(path, reason);
    if (bytes.empty()) fail(path, "die Arbeitsmappe ist leer geblieben");
    writeFileSafely(path, bytes);
}

}  // namespace zebak
