#pragma once

#include <string>
#include <vector>

#include "core/SheetLayout.h"

namespace zebak {

/// Writes a workbook with one worksheet holding `rows` (row 1 first, columns A to O): a cell
/// whose text is a number as a number, any other text as text, an empty text not at all.
/// The file appears whole or not at all (it is built elsewhere and then written through the
/// atomic writer); throws FileWriteError naming the file and the reason when that fails.
void writeWorkbook(const std::string& path, const std::vector<SheetRow>& rows);

}  // namespace zebak
