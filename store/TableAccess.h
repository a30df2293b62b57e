#pragma once

#include "OddValue.h"
#include "Row.h"
#include "Schema.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace store {

class BookConnection;
class BookStatement;

// The order a cursor walks its table in: by the primary key Auto, by the name index
// (WorkerName, then Auto), or through the index indexx (by Auto within one Index value).
enum class CursorOrder { ByAuto, ByWorkerName, ByIndex };

// The SQL of one cursor: seeks through the primary key or the secondary index from the
// record the cursor stands on (never a scan, never an OFFSET walk), reads, and writes.
// A ranged access (ByIndex) sees only the entries whose Index is the range value.
class TableAccess {
public:
    TableAccess(BookConnection& connection, const TableDef& table, CursorOrder order);

    const TableDef& table() const { return table_; }
    CursorOrder order() const { return order_; }
    bool ranged() const { return order_ == CursorOrder::ByIndex; }

    // `range` is ignored unless the access is ranged.
    std::optional<Row> first(std::int32_t range) const;
    std::optional<Row> last(std::int32_t range) const;
    // Up to `count` records beyond `from` in the cursor's order, nearest first.
    std::vector<Row> after(const Row& from, std::int32_t range, int count) const;
    std::vector<Row> before(const Row& from, std::int32_t range, int count) const;
    std::optional<Row> byAuto(std::int32_t key, std::int32_t range) const;
    // The record with Auto `key` as stored, in or out of the range.
    std::optional<Row> stored(std::int32_t key) const;
    // The first record whose WorkerName sorts at or after `text`.  REQUIRES: ByWorkerName.
    std::optional<Row> atOrAfterName(const std::string& text) const;
    // The Auto of every record of the range, in the cursor's order, read through the index.
    std::vector<std::int32_t> keys(std::int32_t range) const;

    // Stores a new record (its Auto is ignored) and returns the Auto the table gave it.
    std::int32_t insert(const Row& row) const;
    // Stores the assigned fields of `row` over the record with Auto `key`.
    void update(std::int32_t key, const Row& row, const std::vector<bool>& assigned) const;
    void remove(std::int32_t key) const;

private:
    std::string select(const std::string& condition, const std::string& orderBy, bool limited) const;
    std::string orderBy(bool descending) const;
    void bindRange(BookStatement& statement, std::int32_t range) const;
    void bindPosition(BookStatement& statement, const Row& from) const;
    void bindValue(BookStatement& statement, int position, const FieldDef& field, const FieldValue& value) const;
    std::optional<Row> one(const std::string& sql, std::int32_t range, std::optional<std::int32_t> key) const;
    // `from`: the record to seek beyond, or nullptr for a statement without a position.
    std::vector<Row> many(const std::string& sql, std::int32_t range, const Row* from, int count) const;
    // In name order, a record whose name is NULL (left so by another program).
    bool unnamed(const Row& row) const;
    // Tops `rows` up to `count` from a statement without a position.
    void continueWith(std::vector<Row>& rows, const std::string& sql, int count) const;
    // A value that is not a 32-bit whole number in a whole-number field reads as empty and
    // is told to the connection; an Auto beyond 32 bits throws StoreError.
    Row read(const BookStatement& statement) const;
    OddValue oddValue(const BookStatement& statement, const Row& row, std::size_t position) const;

    BookConnection& connection_;
    const TableDef& table_;
    CursorOrder order_;
    std::string target_;  // schema-qualified table
    std::string columns_; // every field, in stored order
    std::string firstSql_, lastSql_, afterSql_, beforeSql_, byAutoSql_, storedSql_, nearestSql_, keysSql_, insertSql_, removeSql_;
    std::string unnamedAfterSql_, unnamedBeforeSql_, unnamedLastSql_, namedFirstSql_;
};

} // namespace store
