#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

// A staff list as the clerk brings it, read whole and made UTF-8: UTF-8 with or without its
// mark, UTF-16 with its mark, or the Arabic Windows code page (a spreadsheet's CSV saved on
// an Arabic Windows), decided by the bytes. A pipe, a folder, a device or a file larger than
// any staff list is refused unread; a workbook or another binary file given by mistake is
// named as such. Throws std::runtime_error saying why, naming the file.
struct StaffListText {
    std::string utf8;
    std::string encoding; // as the clerk is told it: "UTF-8", "UTF-16", "Windows-1256"
};
StaffListText readStaffList(const std::filesystem::path& list);

// The fields of the next line of a CSV text (RFC 4180 quoting, as the export writes it), the
// line ending in LF, CRLF or CR; false at the end of the text.
bool readCsvLine(std::istream& in, std::vector<std::string>& fields);
