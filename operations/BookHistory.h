#pragma once

#include "Schema.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace store {
class BookConnection;
}

namespace operations {

// One row of the book's history (History.h), as the clerk reads it.
struct HistoryEntry {
    std::int64_t at = 0; // seconds since 1970
    const store::TableDef* table = nullptr;
    std::int64_t id = 0;
    std::int64_t worker = 0;
    std::string workerName; // the name the worker had then, as far as the history tells it
    std::int64_t record = 0;
    std::string change; // insert, update, delete, mark
    std::string field;
    std::optional<std::string> before, after;
    std::optional<std::string> action; // none: another program
    std::string who;
};

struct HistoryFilter {
    std::optional<std::int64_t> worker;
    std::int64_t since = 0; // seconds since 1970
};

// The history of the whole book, or of one worker, from `since` on, newest first, read as one
// snapshot. Throws StoreError saying why it cannot be read.
std::vector<HistoryEntry> readHistory(store::BookConnection& book, const HistoryFilter& filter);

// The moment in this computer's time: "YYYY-MM-DD HH:MM:SS".
std::string localTimeText(std::int64_t at);
// The first second of a day given as "YYYY-MM-DD" in this computer's time; none for another text.
std::optional<std::int64_t> startOfDay(const std::string& date);

// What made the change, what changed, and a value, in the clerk's words.
std::string actionWords(const HistoryEntry& entry);
std::string fieldWords(const HistoryEntry& entry);
std::string valueWords(const std::optional<std::string>& value);

// The history as a sheet: CSV or XLSX, as the file's name ends.
void writeHistorySheet(const std::vector<HistoryEntry>& history, const std::filesystem::path& file);

} // namespace operations
