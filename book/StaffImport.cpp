#include "StaffImport.h"

#include "ArabicCodePage.h"
#include "BookTables.h"
#include "DataModule.h"
#include "NameFolding.h"
#include "ServiceYears.h"
#include "StaffListFile.h"
#include "StoreError.h"

#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int nameSize = 30;

// The fields of one line of a CSV file (RFC 4180 quoting), the line ending in LF, CRLF or
// CR; false at the end of the text.
bool readLine(std::istream& in, std::vector<std::string>& fields)
{
    fields.clear();
    std::string field;
    bool quoted = false, any = false;
    for (char c; in.get(c);) {
        any = true;
        if (quoted) {
            if (c == '"' && in.peek() == '"')
                field += char(in.get());
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            break;
        } else if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            break;
        } else {
            field += c;
        }
    }
    if (!any)
        return false;
    fields.push_back(std::move(field));
    return true;
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmed(const std::string& text)
{
    const std::size_t from = text.find_first_not_of(" \t");
    return from == std::string::npos ? std::string() : text.substr(from, text.find_last_not_of(" \t") + 1 - from);
}

// A refused value as the clerk is shown it: control characters written out, never acted on.
std::string shown(const std::string& value)
{
    std::string said;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char digits[] = "0123456789abcdef";
            said += std::string("\\x") + digits[byte >> 4] + digits[byte & 0x0f];
        } else {
            said += c;
        }
    }
    return said;
}

std::optional<std::size_t> columnOf(const std::vector<std::string>& titles, const std::string& arabic,
                                    const std::string& english)
{
    for (std::size_t i = 0; i < titles.size(); ++i)
        if (trimmed(titles[i]) == arabic || lowerCase(trimmed(titles[i])) == english)
            return i;
    return std::nullopt;
}

struct Worker {
    int line;
    std::string name;
    std::optional<std::int32_t> start, years;
    std::int32_t entitlement;
};

// The name as the name order compares it (hamza forms, teh marbuta, case and the rest),
// worked out by the book's own folding, so a name the search finds as the same is the same.
std::string foldedName(store::BookConnection& connection, const std::string& name)
{
    store::BookStatement& fold = connection.statement("SELECT " + store::foldedNameSql("?1"));
    store::StatementUse use(fold);
    fold.bind(1, std::string_view(name));
    fold.step();
    return fold.text(0);
}

// Whether the book holds a worker of that name, however spelt. REQUIRES: inside the unit
// of work that stores the list, so no other program adds it meanwhile.
bool inBook(store::BookConnection& connection, const std::string& name)
{
    const store::TableDef& workers = store::workerTable();
    store::BookStatement& found = connection.statement(
        "SELECT 1 FROM " + store::sqlName(connection.schemaOf(workers)) + "." + store::sqlName(workers.name) + " WHERE "
        + store::foldedNameSql("\"WorkerName\"") + " = " + store::foldedNameSql("?1") + " LIMIT 1");
    store::StatementUse use(found);
    found.bind(1, std::string_view(name));
    return found.step();
}

} // namespace

bool importStaff(const server::BookPlace& place, const std::filesystem::path& list, int thisYear,
                 const StaffImportOptions& options, std::ostream& out)
{
    const StaffListText text = readStaffList(list);
    std::istringstream in(text.utf8);
    std::vector<std::string> titles;
    if (!readLine(in, titles))
        throw std::runtime_error(list.string() + ": the file is empty");
    const auto name = columnOf(titles, "اسم العامل", "name");
    const auto start = columnOf(titles, "بداية الخدمة", "start");
    const auto entitlement = columnOf(titles, "الإستحقاق السنوي", "entitlement");
    if (!name || !start)
        throw std::runtime_error(list.string() + ": line 1 must name a name column and a start-of-service column (read as "
                                 + text.encoding + ")");
    out << "reading " << list.string() << " as " << text.encoding << "\n";

    std::vector<Worker> workers;
    std::vector<std::string> refusals;
    std::vector<std::string> fields;
    for (int line = 2; readLine(in, fields); ++line) {
        if (fields.size() == 1 && trimmed(fields.front()).empty())
            continue; // a blank line
        const auto refuse = [&](const std::string& why) { refusals.push_back("line " + std::to_string(line) + ": " + why); };
        const auto cell = [&](const std::optional<std::size_t>& column) {
            return column && *column < fields.size() ? trimmed(fields[*column]) : std::string();
        };
        const std::string typedName = cell(name), typedStart = cell(start), typedEntitlement = cell(entitlement);
        if (typedName.empty()) {
            refuse("the name is empty");
            continue;
        }
        try {
            if (store::fitTextToField(typedName, nameSize, "WorkerName") != typedName) {
                refuse("the name is longer than " + std::to_string(nameSize) + " characters");
                continue;
            }
        } catch (const store::StoreError&) {
            refuse("the name '" + shown(typedName) + "' holds a character outside the book's character set");
            continue;
        }
        // As the new-worker window takes them: a start year gives the years and the entitlement,
        // an entitlement written beside it stands, and one without a start year needs the entitlement.
        Worker worker{line, typedName, std::nullopt, std::nullopt, 0};
        if (!typedStart.empty()) {
            worker.start = store::writtenWholeNumber(typedStart);
            if (!worker.start) {
                refuse("the start of service '" + shown(typedStart) + "' is not a whole number");
                continue;
            }
            worker.years = store::yearsOfService(*worker.start, thisYear);
            if (!worker.years) {
                refuse("the start of service " + typedStart + " is after this year or too far back");
                continue;
            }
            worker.entitlement = store::entitlementFor(*worker.years);
        }
        if (!typedEntitlement.empty()) {
            const auto typed = store::writtenWholeNumber(typedEntitlement);
            if (!typed) {
                refuse("the entitlement '" + shown(typedEntitlement) + "' is not a whole number");
                continue;
            }
            worker.entitlement = *typed;
        } else if (!worker.start) {
            refuse("neither a start of service nor an entitlement is given");
            continue;
        }
        workers.push_back(std::move(worker));
    }

    const std::unique_ptr<store::TDataModule1> opened = place.open();
    store::TDataModule1& book = *opened;
    const auto figure = [](const std::optional<std::int32_t>& value) {
        return value ? std::to_string(*value) : std::string("-");
    };
    // Refuses the names already there, tells what would be stored or what was refused, and
    // stores the workers unless this is a dry run; whether the list was taken.
    const auto take = [&] {
        if (!options.allowDuplicates) {
            std::set<std::string> listed;
            for (const Worker& worker : workers)
                if (inBook(book.connection(), worker.name) || !listed.insert(foldedName(book.connection(), worker.name)).second)
                    refusals.push_back("line " + std::to_string(worker.line) + ": '" + shown(worker.name)
                                       + "' is already in the book or earlier in the list");
        }
        if (!refusals.empty()) {
            for (const std::string& refusal : refusals)
                out << list.string() << ": " << refusal << "\n";
            out << "nothing stored: " << refusals.size() << (refusals.size() == 1 ? " bad row" : " bad rows") << "\n";
            return false;
        }
        for (const Worker& worker : workers)
            out << (options.dryRun ? "would store " : "storing ") << "line " << worker.line << ": " << worker.name
                << ", since " << figure(worker.start) << ", " << figure(worker.years) << " years, " << worker.entitlement
                << " days\n";
        if (options.dryRun)
            return true;
        for (const Worker& worker : workers) {
            book.TableM.Insert();
            book.TableMWorkerName.SetText(worker.name);
            if (worker.start)
                book.TableMServesStart.SetAsInteger(*worker.start);
            if (worker.years)
                book.TableMServesYears.SetAsInteger(*worker.years);
            book.TableMYearPermit.SetAsInteger(worker.entitlement);
            book.TableM.Post();
        }
        return true;
    };
    if (options.dryRun) {
        const bool taken = take();
        if (taken)
            out << workers.size() << " workers would be stored\n";
        return taken;
    }
    // Names already in the book are looked for under the write lock: of two imports of one
    // list at once, the second finds the first's workers.
    store::UnitOfWork work = book.beginWork();
    if (!take())
        return false; // nothing stored: the unit of work is dropped
    work.commit();
    out << workers.size() << " workers stored\n";
    return true;
}
