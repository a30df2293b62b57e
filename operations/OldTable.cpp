#include "OldTable.h"

#include "ArabicCodePage.h"
#include "Isolated.h"
#include "Schema.h"
#include "StoreError.h"
#include "Wording.h"

extern "C" {
#include <paradox.h>
}

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>

namespace operations {
namespace {

// What pxlib finds wrong is kept for the refusal rather than printed on the standard error.
void keepError(pxdoc_t*, int, const char* message, void* said)
{
    if (auto* kept = static_cast<std::string*>(said); kept->empty())
        *kept = message;
}

struct Closer {
    void operator()(pxdoc_t* doc) const
    {
        PX_close(doc);
        PX_delete(doc);
    }
};

std::string expectedType(const store::FieldDef& field)
{
    switch (field.type) {
    case store::FieldType::AutoIncrement:
        return "+ (Autoincrement)";
    case store::FieldType::Integer:
        return "I (Long Integer)";
    case store::FieldType::Text:
        return "A" + std::to_string(field.size) + " (Alpha)";
    }
    return {};
}

bool sameType(const pxfield_t& found, const store::FieldDef& wanted)
{
    switch (wanted.type) {
    case store::FieldType::AutoIncrement:
        return found.px_ftype == pxfAutoInc;
    case store::FieldType::Integer:
        return found.px_ftype == pxfLong;
    case store::FieldType::Text:
        return found.px_ftype == pxfAlpha && found.px_flen == wanted.size;
    }
    return false;
}

} // namespace

OldTable readOldTable(const std::filesystem::path& file, const store::TableDef& table)
{
    static std::once_flag booted;
    std::call_once(booted, [] { PX_boot(); });
    const std::string where = store::isolatedLeftToRight(file.string());
    std::string libraryError;
    std::unique_ptr<pxdoc_t, Closer> doc(PX_new3(keepError, nullptr, nullptr, nullptr, &libraryError));
    if (!doc)
        throw store::StoreError(store::worded("OldTable", "%1: لا تكفي الذاكرة لقراءته").arg(where));
    if (!std::filesystem::is_regular_file(file))
        throw store::StoreError(store::worded("OldTable", "%1: الملف غير موجود").arg(where));
    if (PX_open_file(doc.get(), file.c_str()) < 0)
        throw store::StoreError(
            store::worded("OldTable", "%1: ليس جدولاً من جداول Paradox أو هو تالف (%2)").arg(where).arg(libraryError));
    const pxhead_t& head = *doc->px_head;
    // The library reads what a file cut short lacks as blanks: its size is checked first.
    const std::uintmax_t needed =
        std::uintmax_t(head.px_headersize) + std::uintmax_t(head.px_fileblocks) * std::uintmax_t(head.px_maxtablesize) * 1024;
    if (std::filesystem::file_size(file) < needed)
        throw store::StoreError(store::worded("OldTable", "%1: الملف مقطوع: فيه %2 بايت والجدول يحتاج %3")
                                    .arg(where)
                                    .arg((long long)std::filesystem::file_size(file))
                                    .arg((long long)needed));
    if (head.px_numfields != int(table.fields.size()))
        throw store::StoreError(store::worded("OldTable", "%1: في الجدول %2 حقلاً والدفتر يحتاج %3")
                                    .arg(where)
                                    .arg(head.px_numfields)
                                    .arg((long long)table.fields.size()));
    for (int i = 0; i < head.px_numfields; ++i) {
        const pxfield_t& found = head.px_fields[i];
        const store::FieldDef& wanted = table.fields[std::size_t(i)];
        if (found.px_fname != std::string_view(wanted.name))
            throw store::StoreError(store::worded("OldTable", "%1: الحقل رقم %2 هو %3 والدفتر يحتاج %4")
                                        .arg(where)
                                        .arg(i + 1)
                                        .arg(store::isolatedLeftToRight(store::controlsWrittenOut(found.px_fname)))
                                        .arg(store::isolatedLeftToRight(wanted.name)));
        if (!sameType(found, wanted))
            throw store::StoreError(store::worded("OldTable", "%1: نوع الحقل %2 ليس %3")
                                        .arg(where)
                                        .arg(store::isolatedLeftToRight(wanted.name))
                                        .arg(store::isolatedLeftToRight(expectedType(wanted))));
    }
    const auto unreadable = [&](int n) {
        return store::StoreError(
            store::worded("OldTable", "%1: تعذّرت قراءة السجل رقم %2 (%3)").arg(where).arg(n + 1).arg(libraryError));
    };
    OldTable read;
    read.keysGiven = std::max(0, head.px_autoinc);
    std::vector<char> record(std::size_t(head.px_recordsize));
    for (int n = 0; n < head.px_numrecords; ++n) {
        libraryError.clear();
        if (PX_get_record(doc.get(), n, record.data()) == nullptr)
            throw unreadable(n);
        store::Row row;
        int offset = 0;
        for (int i = 0; i < head.px_numfields; ++i) {
            const pxfield_t& field = head.px_fields[i];
            char* bytes = record.data() + offset;
            offset += field.px_flen;
            // A blank field is all zero bytes: the library would read a blank number as the
            // lowest long, so blanks are told by the bytes themselves.
            if (std::all_of(bytes, bytes + field.px_flen, [](char byte) { return byte == 0; })) {
                row.emplace_back();
                continue;
            }
            if (field.px_ftype == pxfAlpha) {
                const auto end = std::find(bytes, bytes + field.px_flen, '\0');
                row.emplace_back(store::fromArabicCodePage(std::string_view(bytes, std::size_t(end - bytes))));
                continue;
            }
            long value = 0;
            if (PX_get_data_long(doc.get(), bytes, field.px_flen, &value) < 0)
                throw unreadable(n);
            row.emplace_back(std::int32_t(value));
        }
        const auto* key = std::get_if<std::int32_t>(&row.front());
        if (!key)
            throw store::StoreError(store::worded("OldTable", "%1: السجل رقم %2 بلا رقم في الحقل %3")
                                        .arg(where)
                                        .arg(n + 1)
                                        .arg(store::isolatedLeftToRight("Auto")));
        read.keysGiven = std::max<std::int64_t>(read.keysGiven, *key);
        read.rows.push_back(std::move(row));
    }
    return read;
}

} // namespace operations
