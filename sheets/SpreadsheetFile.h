#pragma once

#include "BookTables.h"

#include <filesystem>
#include <string>
#include <vector>

// Writes a sheet of titles and rows to `file`: XLSX (a right-to-left sheet, numbers as
// numbers, its title row frozen) when the name ends in .xlsx, CSV (UTF-8 with a byte-order
// mark, so spreadsheet programs read Arabic) when it ends in .csv. Written aside and put in
// place only when whole. Throws std::runtime_error naming the file, std::invalid_argument
// for any other ending.
void writeSpreadsheet(const std::filesystem::path& file, const std::vector<std::string>& titles,
                      const std::vector<store::SheetRow>& rows);
