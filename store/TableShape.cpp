#include "TableShape.h"

#include "Isolated.h"
#include "LocalHistory.h"
#include "NameFolding.h"
#include "Statement.h"
#include "Wording.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace store {
namespace {

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

std::string_view typeName(FieldType type)
{
    return type == FieldType::Text ? "TEXT" : "INTEGER";
}

std::optional<std::string> fieldProblem(sqlite3* db, std::string_view schema, const TableDef& table)
{
    Statement columns(db, "SELECT name, type, pk FROM pragma_table_info(?1, ?2)");
    columns.bind(1, table.name);
    columns.bind(2, schema);
    std::size_t position = 0;
    while (columns.step()) {
        if (position == table.fields.size())
            return worded("TableShape", "في الجدول حقل %1 لا يعرفه الدفتر").arg(isolatedLeftToRight(columns.text(0)));
        const FieldDef& wanted = table.fields[position];
        if (columns.text(0) != wanted.name)
            return worded("TableShape", "الحقل رقم %1 هو %2 والدفتر يحتاج %3")
                .arg((long long)position + 1)
                .arg(isolatedLeftToRight(columns.text(0)))
                .arg(isolatedLeftToRight(wanted.name));
        if (upper(columns.text(1)) != typeName(wanted.type))
            return worded("TableShape", "نوع الحقل %1 هو %2 والدفتر يحتاج %3")
                .arg(isolatedLeftToRight(wanted.name))
                .arg(isolatedLeftToRight(columns.text(1)))
                .arg(isolatedLeftToRight(typeName(wanted.type)));
        if ((columns.integer(2) == 1) != (wanted.type == FieldType::AutoIncrement))
            return worded("TableShape", "الحقل %1 داخل في المفتاح الأساسي خطأً أو غائب عنه").arg(isolatedLeftToRight(wanted.name));
        ++position;
    }
    if (position < table.fields.size())
        return worded("TableShape", "ينقص الجدول الحقل %1").arg(isolatedLeftToRight(table.fields[position].name));
    return std::nullopt;
}

bool hasIndex(sqlite3* db, std::string_view schema, const TableDef& table)
{
    Statement indexes(db, "SELECT name FROM pragma_index_list(?1, ?2)");
    indexes.bind(1, table.name);
    indexes.bind(2, schema);
    std::vector<std::string> names;
    while (indexes.step())
        names.push_back(indexes.text(0));
    for (const std::string& name : names) {
        if (!table.indexName.empty() && name != table.indexName)
            continue;
        Statement keys(db, "SELECT name FROM pragma_index_info(?1, ?2)");
        keys.bind(1, name);
        keys.bind(2, schema);
        std::vector<std::string> fields;
        while (keys.step())
            fields.push_back(keys.text(0));
        if (fields.size() == 1 && fields.front() == table.indexField)
            return true;
    }
    return false;
}

} // namespace

FoldedNames foldedNamesIndex(sqlite3* db, std::string_view schema, const TableDef& table)
{
    if (&table != &workerTable())
        return FoldedNames::NotNeeded;
    Statement index(db, "SELECT tbl_name, sql FROM " + sqlName(schema) + ".sqlite_schema WHERE type = 'index' AND name = ?1");
    index.bind(1, foldedNameIndex);
    if (!index.step())
        return FoldedNames::Missing;
    return index.text(0) == table.name && index.text(1) == foldedNameIndexStatement() ? FoldedNames::Indexed
                                                                                      : FoldedNames::Foreign;
}

std::optional<std::string> tableShapeProblem(sqlite3* db, std::string_view schema, const TableDef& table, ShapeCheck check)
{
    Statement definition(db, "SELECT sql FROM " + sqlName(schema) + ".sqlite_schema WHERE type = 'table' AND name = ?1");
    definition.bind(1, table.name);
    if (!definition.step())
        return worded("TableShape", "ليس في الملف جدول %1").arg(isolatedLeftToRight(table.name));
    if (upper(definition.text(0)).find("AUTOINCREMENT") == std::string::npos)
        return worded("TableShape", "الحقل %1 لا يعدّ تصاعدياً دون إعادة الأرقام (AUTOINCREMENT)").arg(isolatedLeftToRight("Auto"));
    definition.reset();
    if (auto problem = fieldProblem(db, schema, table))
        return problem;
    if (!hasIndex(db, schema, table))
        return (table.indexName.empty() ? worded("TableShape", "ينقص فهرس على الحقل %1").arg(isolatedLeftToRight(table.indexField))
                                        : worded("TableShape", "ينقص الفهرس %1 على الحقل %2")
                                              .arg(isolatedLeftToRight(table.indexName))
                                              .arg(isolatedLeftToRight(table.indexField)))
            .text();
    if (check == ShapeCheck::BesidesUpgrades)
        return std::nullopt;
    switch (foldedNamesIndex(db, schema, table)) {
    case FoldedNames::Missing:
        return worded("TableShape", "ينقص الفهرس %1 الذي يجد الأسماء كيفما كُتبت (دفتر أقدم: يضيفه %2)")
            .arg(isolatedLeftToRight(foldedNameIndex))
            .arg(isolatedLeftToRight("ijazat-setup"));
    case FoldedNames::Foreign:
        return worded("TableShape", "الفهرس %1 ليس الذي يصنعه الدفتر").arg(isolatedLeftToRight(foldedNameIndex));
    case FoldedNames::NotNeeded:
    case FoldedNames::Indexed:
        break;
    }
    return localHistoryProblem(db, schema, table);
}

} // namespace store
