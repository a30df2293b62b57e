#include "TableAccess.h"

#include "BookConnection.h"
#include "Isolated.h"
#include "NameFolding.h"
#include "StoreError.h"
#include "Wording.h"

#include <limits>

namespace store {
namespace {

constexpr int rangeParameter = 1;
constexpr int positionParameter = 2; // and 3 for the Auto of a name position
constexpr int limitParameter = 4;

} // namespace

TableAccess::TableAccess(BookConnection& connection, const TableDef& table, CursorOrder order)
    : connection_(connection), table_(table), order_(order),
      target_(sqlName(connection.schemaOf(table)) + "." + sqlName(table.name))
{
    std::string insertFields, insertValues;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        columns_ += (i ? ", " : "") + sqlName(table.fields[i].name);
        if (i > 0) {
            insertFields += (i > 1 ? ", " : "") + sqlName(table.fields[i].name);
            insertValues += (i > 1 ? ", ?" : "?") + std::to_string(i);
        }
    }
    // The record stood on is never its own neighbour, even when another program renamed it
    // since it was read and its name now sorts elsewhere. A name position is sought on its
    // folded name first, so the search is a seek in the index of folded names.
    const std::string folded = foldedNameSql("\"WorkerName\""), foldedTyped = foldedNameSql("?2");
    auto beyond = [&](const std::string& op) {
        if (order != CursorOrder::ByWorkerName)
            return "\"Auto\" " + op + " ?2";
        return folded + " " + op + "= " + foldedTyped + " AND (" + folded + " " + op + " " + foldedTyped
               + " OR (\"WorkerName\", \"Auto\") " + op + " (?2, ?3)) AND \"Auto\" <> ?3";
    };
    firstSql_ = select("", orderBy(false), false);
    lastSql_ = select("", orderBy(true), false);
    afterSql_ = select(beyond(">"), orderBy(false), true);
    beforeSql_ = select(beyond("<"), orderBy(true), true);
    byAutoSql_ = select("\"Auto\" = ?2", orderBy(false), false);
    storedSql_ = "SELECT " + columns_ + " FROM " + target_ + " WHERE \"Auto\" = ?" + std::to_string(positionParameter);
    nearestSql_ = select(folded + " >= " + foldedTyped, orderBy(false), false);
    // A name another program left NULL sorts first, as the index keeps it, and reads as empty.
    // Among them Auto alone orders, which the index gives without a sort.
    const std::string unnamed = folded + " IS NULL AND \"WorkerName\" IS NULL";
    unnamedAfterSql_ = select(unnamed + " AND \"Auto\" > ?3", "\"Auto\"", true);
    unnamedBeforeSql_ = select(unnamed + " AND \"Auto\" < ?3", "\"Auto\" DESC", true);
    unnamedLastSql_ = select(unnamed, "\"Auto\" DESC", true);
    namedFirstSql_ = select(folded + " >= ''", orderBy(false), true); // a folded name is text, or NULL
    keysSql_ = "SELECT \"Auto\" FROM " + target_ + (ranged() ? " WHERE \"Index\" = ?1" : "") + " ORDER BY "
               + orderBy(false);
    // The key comes back from the statement itself, as both engines give it.
    insertSql_ = "INSERT INTO " + target_ + " (" + insertFields + ") VALUES (" + insertValues + ") RETURNING \"Auto\"";
    removeSql_ = "DELETE FROM " + target_ + " WHERE \"Auto\" = ?1";
}

std::string TableAccess::select(const std::string& condition, const std::string& orderBy, bool limited) const
{
    std::string where;
    if (ranged())
        where = "\"Index\" = ?" + std::to_string(rangeParameter);
    if (!condition.empty())
        where += (where.empty() ? "" : " AND ") + condition;
    return "SELECT " + columns_ + " FROM " + target_ + (where.empty() ? "" : " WHERE " + where) + " ORDER BY "
           + orderBy + " LIMIT " + (limited ? "?" + std::to_string(limitParameter) : std::string("1"));
}

// By name: folded names first, so spellings of one name sit together; then the names as
// stored, then Auto, so namesakes follow one another in the order they were registered.
std::string TableAccess::orderBy(bool descending) const
{
    const char* direction = descending ? " DESC" : "";
    if (order_ != CursorOrder::ByWorkerName)
        return std::string("\"Auto\"") + direction;
    return foldedNameSql("\"WorkerName\"") + direction + ", \"WorkerName\"" + direction + ", \"Auto\"" + direction;
}

void TableAccess::bindRange(BookStatement& statement, std::int32_t range) const
{
    if (ranged())
        statement.bind(rangeParameter, range);
}

void TableAccess::bindPosition(BookStatement& statement, const Row& from) const
{
    if (order_ != CursorOrder::ByWorkerName) {
        statement.bind(positionParameter, autoOf(from));
        return;
    }
    const auto* name = std::get_if<std::string>(&from[std::size_t(table_.fieldPosition("WorkerName"))]);
    statement.bind(positionParameter, name ? std::string_view(*name) : std::string_view());
    statement.bind(positionParameter + 1, autoOf(from));
}

std::optional<Row> TableAccess::one(const std::string& sql, std::int32_t range, std::optional<std::int32_t> key) const
{
    BookStatement& statement = connection_.statement(sql);
    StatementUse use(statement);
    bindRange(statement, range);
    if (key)
        statement.bind(positionParameter, *key);
    if (!statement.step())
        return std::nullopt;
    return read(statement);
}

std::vector<Row> TableAccess::many(const std::string& sql, std::int32_t range, const Row* from, int count) const
{
    BookStatement& statement = connection_.statement(sql);
    StatementUse use(statement);
    bindRange(statement, range);
    if (from && unnamed(*from))
        statement.bind(positionParameter + 1, autoOf(*from));
    else if (from)
        bindPosition(statement, *from);
    statement.bind(limitParameter, count);
    std::vector<Row> rows;
    while (statement.step())
        rows.push_back(read(statement));
    return rows;
}

bool TableAccess::unnamed(const Row& row) const
{
    return order_ == CursorOrder::ByWorkerName
           && std::holds_alternative<std::monostate>(row[std::size_t(table_.fieldPosition("WorkerName"))]);
}

void TableAccess::continueWith(std::vector<Row>& rows, const std::string& sql, int count) const
{
    if (int(rows.size()) >= count)
        return;
    std::vector<Row> more = many(sql, 0, nullptr, count - int(rows.size()));
    rows.insert(rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

std::optional<Row> TableAccess::first(std::int32_t range) const
{
    return one(firstSql_, range, std::nullopt);
}

std::optional<Row> TableAccess::last(std::int32_t range) const
{
    return one(lastSql_, range, std::nullopt);
}

std::vector<Row> TableAccess::after(const Row& from, std::int32_t range, int count) const
{
    if (!unnamed(from))
        return many(afterSql_, range, &from, count);
    std::vector<Row> rows = many(unnamedAfterSql_, range, &from, count);
    continueWith(rows, namedFirstSql_, count);
    return rows;
}

std::vector<Row> TableAccess::before(const Row& from, std::int32_t range, int count) const
{
    if (unnamed(from))
        return many(unnamedBeforeSql_, range, &from, count);
    std::vector<Row> rows = many(beforeSql_, range, &from, count);
    if (order_ == CursorOrder::ByWorkerName)
        continueWith(rows, unnamedLastSql_, count);
    return rows;
}

std::optional<Row> TableAccess::byAuto(std::int32_t key, std::int32_t range) const
{
    return one(byAutoSql_, range, key);
}

std::optional<Row> TableAccess::stored(std::int32_t key) const
{
    BookStatement& statement = connection_.statement(storedSql_);
    StatementUse use(statement);
    statement.bind(positionParameter, key);
    if (!statement.step())
        return std::nullopt;
    return read(statement);
}

std::optional<Row> TableAccess::atOrAfterName(const std::string& text) const
{
    if (text.empty())
        return first(0); // the empty text sorts with the names left NULL, before every other
    BookStatement& statement = connection_.statement(nearestSql_);
    StatementUse use(statement);
    statement.bind(positionParameter, std::string_view(text));
    if (!statement.step())
        return std::nullopt;
    return read(statement);
}

std::vector<std::int32_t> TableAccess::keys(std::int32_t range) const
{
    BookStatement& statement = connection_.statement(keysSql_);
    StatementUse use(statement);
    bindRange(statement, range);
    std::vector<std::int32_t> found;
    while (statement.step())
        found.push_back(std::int32_t(statement.integer(0)));
    return found;
}

Row TableAccess::read(const BookStatement& statement) const
{
    Row row(table_.fields.size());
    std::vector<std::size_t> odd;
    for (std::size_t i = 0; i < table_.fields.size(); ++i) {
        const FieldDef& field = table_.fields[i];
        const int column = int(i);
        if (statement.isNull(column))
            continue;
        if (field.type == FieldType::Text) {
            row[i] = statement.text(column);
            continue;
        }
        const std::int64_t value = statement.integer(column);
        if (statement.isInteger(column) && value >= std::numeric_limits<std::int32_t>::min()
            && value <= std::numeric_limits<std::int32_t>::max()) {
            row[i] = std::int32_t(value);
        } else if (field.type == FieldType::AutoIncrement) {
            // Without its number a record can be neither found nor changed again.
            throw StoreError(worded("TableAccess", "رقم سجل في الجدول %1 هو %2، وليس عدداً صحيحاً من 32 بتاً")
                                 .arg(isolatedLeftToRight(table_.name))
                                 .arg(isolatedLeftToRight(statement.text(column))));
        } else {
            odd.push_back(i); // told once the whole record is read, and read as empty meanwhile
        }
    }
    for (const std::size_t i : odd)
        connection_.noteOddValue(oddValue(statement, row, i));
    return row;
}

OddValue TableAccess::oddValue(const BookStatement& statement, const Row& row, std::size_t position) const
{
    OddValue value{table_.name, autoOf(row), {}, std::nullopt, table_.fields[position].name,
                   statement.text(int(position))};
    if (&table_ == &workerTable()) {
        value.workerName = valueText(row[std::size_t(table_.fieldPosition("WorkerName"))]);
    } else if (const auto* worker = std::get_if<std::int32_t>(&row[std::size_t(table_.fieldPosition("Index"))])) {
        value.worker = *worker;
    }
    return value;
}

void TableAccess::bindValue(BookStatement& statement, int position, const FieldDef& field, const FieldValue& value) const
{
    if (const auto* number = std::get_if<std::int32_t>(&value))
        statement.bind(position, *number);
    else if (const auto* text = std::get_if<std::string>(&value))
        statement.bind(position, std::string_view(*text));
    else if (field.type == FieldType::Text)
        statement.bind(position, std::string_view("")); // empty text, never NULL, so names always compare
    else
        statement.bindNull(position);
}

std::int32_t TableAccess::insert(const Row& row) const
{
    BookStatement& statement = connection_.statement(insertSql_);
    StatementUse use(statement);
    for (std::size_t i = 1; i < table_.fields.size(); ++i)
        bindValue(statement, int(i), table_.fields[i], row[i]);
    const bool returned = statement.step();
    connection_.noteWrite(table_);
    const std::int64_t key = returned ? statement.integer(0) : 0;
    if (key > std::numeric_limits<std::int32_t>::max())
        throw StoreError(worded("TableAccess", "نفدت أرقام السجلات في الجدول %1").arg(isolatedLeftToRight(table_.name)));
    return std::int32_t(key);
}

void TableAccess::update(std::int32_t key, const Row& row, const std::vector<bool>& assigned) const
{
    std::string sets;
    std::vector<std::size_t> written;
    for (std::size_t i = 1; i < table_.fields.size(); ++i) {
        if (!assigned[i])
            continue;
        written.push_back(i);
        sets += (sets.empty() ? "" : ", ") + sqlName(table_.fields[i].name) + " = ?" + std::to_string(written.size());
    }
    if (written.empty())
        return;
    // The key comes back only when the record is still there.
    BookStatement& statement = connection_.statement("UPDATE " + target_ + " SET " + sets + " WHERE \"Auto\" = ?"
                                                     + std::to_string(written.size() + 1) + " RETURNING \"Auto\"");
    StatementUse use(statement);
    for (std::size_t n = 0; n < written.size(); ++n)
        bindValue(statement, int(n + 1), table_.fields[written[n]], row[written[n]]);
    statement.bind(int(written.size() + 1), key);
    const bool found = statement.step();
    connection_.noteWrite(table_);
    if (!found)
        throw StoreError(recordDeletedElsewhere);
}

void TableAccess::remove(std::int32_t key) const
{
    BookStatement& statement = connection_.statement(removeSql_);
    StatementUse use(statement);
    statement.bind(1, key);
    statement.step();
    connection_.noteWrite(table_);
}

} // namespace store
