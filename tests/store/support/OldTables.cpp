#include "OldTables.h"

extern "C" {
#include <paradox.h>
}

#include <cstring>
#include <stdexcept>

namespace testing_support {

std::vector<OldField> oldLayout(const store::TableDef& table)
{
    std::vector<OldField> fields;
    for (const store::FieldDef& field : table.fields)
        fields.push_back({field.name.data(),
                          field.type == store::FieldType::AutoIncrement ? char(pxfAutoInc)
                          : field.type == store::FieldType::Integer     ? char(pxfLong)
                                                                        : char(pxfAlpha),
                          field.type == store::FieldType::Text ? field.size : 4});
    return fields;
}

void writeOldTable(const std::filesystem::path& file, const std::vector<OldField>& layout,
                   const std::vector<std::vector<std::string>>& rows)
{
    std::filesystem::create_directories(file.parent_path());
    pxdoc_t* doc = PX_new();
    auto* fields = static_cast<pxfield_t*>(doc->malloc(doc, layout.size() * sizeof(pxfield_t), "fields"));
    for (std::size_t i = 0; i < layout.size(); ++i)
        fields[i] = {strdup(layout[i].name), layout[i].type, layout[i].length, 0};
    if (PX_create_file(doc, fields, int(layout.size()), file.c_str(), pxfFileTypIndexDB) < 0)
        throw std::runtime_error("pxlib could not make " + file.string());
    std::vector<pxval_t> values(layout.size());
    std::vector<pxval_t*> pointers;
    for (pxval_t& value : values)
        pointers.push_back(&value);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            values[i] = pxval_t{};
            values[i].type = layout[i].type;
            values[i].isnull = row[i].empty();
            if (layout[i].type == pxfAlpha) {
                values[i].value.str.val = const_cast<char*>(row[i].c_str());
                values[i].value.str.len = int(row[i].size());
            } else if (!row[i].empty()) {
                values[i].value.lval = std::stol(row[i]);
            }
        }
        if (PX_insert_record(doc, pointers.data()) < 0)
            throw std::runtime_error("pxlib could not write a record of " + file.string());
    }
    PX_close(doc);
    PX_delete(doc);
}

namespace {

const std::string salim = "\xD3\xC7\xE1\xE3 \xC7\xE1\xCD\xE1\xC8\xED "; // "سالم الحلبي " with its trailing space

} // namespace

void writeOldBook(const std::filesystem::path& root)
{
    writeOldTable(store::workerTable().pathUnder(root), oldLayout(store::workerTable()),
                  {{"3", salim, "12", "2014", "21", "6", "1.30", "", "", "0", "1", "30"},
                   {"9", "Huda", "", "", "14", "", "", "2", "", "", "", ""},
                   {"2147483000", "\xE4\xE6\xD1", "1", "2025", "14", "3", "", "", "", "0", "", ""}});
    writeOldTable(store::permitAdminTable().pathUnder(root), oldLayout(store::permitAdminTable()),
                  {{"1", "3", "5", "0", "01/02/2026", "02"}, {"4", "2147483000", "3", "", " 5/3/2026", "3"}});
    writeOldTable(store::permitHoursTable().pathUnder(root), oldLayout(store::permitHoursTable()),
                  {{"2", "3", "1.30", "", "1", "30", "9/12/2026", "12"}});
    writeOldTable(store::permitHealthTable().pathUnder(root), oldLayout(store::permitHealthTable()),
                  {{"5", "9", "2", "1/1/2026", "1"}, {"6", "77", "1", "2/1/2026", "1"}});
    writeOldTable(store::permitNoHireTable().pathUnder(root), oldLayout(store::permitNoHireTable()), {});
}

} // namespace testing_support
