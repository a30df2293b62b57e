#include "StaffImport.h"

#include "ArabicCodePage.h"
#include "BookTables.h"
#include "DataModule.h"
#include "StoreError.h"
#include "WholeNumber.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int nameSize = 30;

// The fields of one line of a CSV file (RFC 4180 quoting); false at the end of the file.
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
        } else if (c != '\r') {
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

std::optional<std::size_t> columnOf(const std::vector<std::string>& titles, const std::string& arabic,
                                    const std::string& english)
{
    for (std::size_t i = 0; i < titles.size(); ++i)
        if (titles[i] == arabic || lowerCase(titles[i]) == english)
            return i;
    return std::nullopt;
}

struct Worker {
    int line;
    std::string name;
    std::int32_t start;
    std::int32_t years;
    std::int32_t entitlement;
};

} // namespace

// The names the book holds already, however it is kept.
std::set<std::string> namesIn(store::BookConnection& connection)
{
    const store::TableDef& workers = store::workerTable();
    store::BookStatement& names = connection.statement("SELECT \"WorkerName\" FROM " + store::sqlName(connection.schemaOf(workers))
                                                       + "." + store::sqlName(workers.name));
    store::StatementUse use(names);
    std::set<std::string> known;
    while (names.step())
        if (names.isText(0))
            known.insert(names.text(0));
    return known;
}

bool importStaff(const server::BookPlace& place, const std::filesystem::path& list, int thisYear,
                 const StaffImportOptions& options, std::ostream& out)
{
    std::ifstream in(list, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot read " + list.string());
    if (in.peek() == 0xEF) {
        char mark[3];
        in.read(mark, 3);
        if (std::string(mark, 3) != "\xEF\xBB\xBF")
            throw std::runtime_error(list.string() + ": line 1: not a CSV file in UTF-8");
    }
    std::vector<std::string> titles;
    if (!readLine(in, titles))
        throw std::runtime_error(list.string() + ": the file is empty");
    const auto name = columnOf(titles, "اسم العامل", "name");
    const auto start = columnOf(titles, "بداية الخدمة", "start");
    const auto entitlement = columnOf(titles, "الإستحقاق السنوي", "entitlement");
    if (!name || !start)
        throw std::runtime_error(list.string() + ": line 1 must name a name column and a start-of-service column");

    const std::unique_ptr<store::TDataModule1> opened = place.open();
    store::TDataModule1& book = *opened;
    std::set<std::string> known = namesIn(book.connection());

    std::vector<Worker> workers;
    std::vector<std::string> refusals;
    std::vector<std::string> fields;
    for (int line = 2; readLine(in, fields); ++line) {
        if (fields.size() == 1 && fields.front().empty())
            continue; // a blank line
        const auto refuse = [&](const std::string& why) { refusals.push_back("line " + std::to_string(line) + ": " + why); };
        const std::string typedName = *name < fields.size() ? fields[*name] : std::string();
        const std::string typedStart = *start < fields.size() ? fields[*start] : std::string();
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
            refuse("the name holds a character outside the book's character set");
            continue;
        }
        const std::optional<std::int32_t> startYear = store::parseWholeNumber(typedStart);
        if (!startYear) {
            refuse("the start of service '" + typedStart + "' is not a whole number");
            continue;
        }
        if (*startYear > thisYear) {
            refuse("the start of service " + typedStart + " is after this year");
            continue;
        }
        const std::int64_t years = std::int64_t(thisYear) - *startYear;
        if (years > std::numeric_limits<std::int32_t>::max()) {
            refuse("the start of service " + typedStart + " is too far back");
            continue;
        }
        std::int32_t granted = years >= 10 ? 21 : 14; // the new-worker window's rule
        if (entitlement && *entitlement < fields.size() && !fields[*entitlement].empty()) {
            const std::optional<std::int32_t> typed = store::parseWholeNumber(fields[*entitlement]);
            if (!typed) {
                refuse("the entitlement '" + fields[*entitlement] + "' is not a whole number");
                continue;
            }
            granted = *typed;
        }
        if (!options.allowDuplicates && !known.insert(typedName).second) {
            refuse("'" + typedName + "' is already in the book or earlier in the list");
            continue;
        }
        workers.push_back({line, typedName, *startYear, std::int32_t(years), granted});
    }
    if (!refusals.empty()) {
        for (const std::string& refusal : refusals)
            out << list.string() << ": " << refusal << "\n";
        out << "nothing stored: " << refusals.size() << (refusals.size() == 1 ? " bad row" : " bad rows") << "\n";
        return false;
    }
    for (const Worker& worker : workers)
        out << (options.dryRun ? "would store " : "storing ") << "line " << worker.line << ": " << worker.name
            << ", since " << worker.start << ", " << worker.years << " years, " << worker.entitlement << " days\n";
    if (options.dryRun) {
        out << workers.size() << " workers would be stored\n";
        return true;
    }
    store::UnitOfWork work = book.beginWork();
    for (const Worker& worker : workers) {
        book.TableM.Insert();
        book.TableMWorkerName.SetText(worker.name);
        book.TableMServesStart.SetAsInteger(worker.start);
        book.TableMServesYears.SetAsInteger(worker.years);
        book.TableMYearPermit.SetAsInteger(worker.entitlement);
        book.TableM.Post();
    }
    work.commit();
    out << workers.size() << " workers stored\n";
    return true;
}
