#include "StaffImport.h"

#include "ArabicCodePage.h"
#include "BookTables.h"
#include "DataModule.h"
#include "NameFolding.h"
#include "FieldSizes.h"
#include "ServiceYears.h"
#include "StaffListFile.h"
#include "Isolated.h"
#include "StoreError.h"
#include "WholeNumber.h"
#include "Wording.h"

#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace operations {
namespace {

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

// A value of the list as the clerk is shown it: control characters written out, never acted on.
std::string shown(const std::string& value)
{
    return store::isolated(store::controlsWrittenOut(value));
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

bool importStaff(store::TDataModule1& book, const std::filesystem::path& list, int thisYear,
                 const StaffImportOptions& options, std::ostream& out)
{
    const StaffListText text = readStaffList(list);
    std::istringstream in(text.utf8);
    std::vector<std::string> titles;
    if (!readCsvLine(in, titles))
        throw std::runtime_error(
            store::worded("StaffImport", "%1: الملف فارغ").arg(store::isolatedLeftToRight(list.string())).text());
    const auto name = columnOf(titles, "اسم العامل", "name");
    const auto start = columnOf(titles, "بداية الخدمة", "start");
    const auto entitlement = columnOf(titles, "الإستحقاق السنوي", "entitlement");
    if (!name || !start)
        throw std::runtime_error(
            store::worded("StaffImport", "%1: يسمّي السطر الأول عمود اسم العامل وعمود بداية الخدمة (قُرئ الملف بترميز %2)")
                .arg(store::isolatedLeftToRight(list.string()))
                .arg(text.encoding)
                .text());
    out << store::worded("StaffImport", "يُقرأ %1 بترميز %2")
               .arg(store::isolatedLeftToRight(list.string()))
               .arg(text.encoding)
               .text()
        << "\n";

    std::vector<Worker> workers;
    std::vector<std::string> refusals;
    std::vector<std::string> fields;
    for (int line = 2; readCsvLine(in, fields); ++line) {
        if (fields.size() == 1 && trimmed(fields.front()).empty())
            continue; // a blank line
        const auto refuse = [&](const std::string& why) {
            refusals.push_back(store::worded("StaffImport", "السطر %1: %2").arg(line).arg(why));
        };
        const auto cell = [&](const std::optional<std::size_t>& column) {
            return column && *column < fields.size() ? trimmed(fields[*column]) : std::string();
        };
        const std::string typedName = cell(name), typedStart = cell(start), typedEntitlement = cell(entitlement);
        if (typedName.empty()) {
            refuse(store::worded("StaffImport", "الاسم فارغ"));
            continue;
        }
        try {
            if (store::fitTextToField(typedName, rules::workerNameSize, "WorkerName") != typedName) {
                refuse(store::worded("StaffImport", "الاسم أطول من %1 حرفاً").arg(rules::workerNameSize));
                continue;
            }
        } catch (const store::StoreError&) {
            refuse(store::worded("StaffImport", "في الاسم «%1» حرف لا يحفظه الدفتر").arg(shown(typedName)));
            continue;
        }
        // As the new-worker window takes them: a start year gives the years and the entitlement,
        // an entitlement written beside it stands, and one without a start year needs the entitlement.
        Worker worker{line, typedName, std::nullopt, std::nullopt, 0};
        if (!typedStart.empty()) {
            worker.start = store::writtenWholeNumber(typedStart);
            if (!worker.start) {
                refuse(store::worded("StaffImport", "بداية الخدمة «%1» ليست عدداً صحيحاً").arg(shown(typedStart)));
                continue;
            }
            worker.years = rules::yearsOfService(*worker.start, thisYear);
            if (!worker.years) {
                refuse(store::worded("StaffImport", "بداية الخدمة %1 بعد هذه السنة أو أبعد مما يكون").arg(shown(typedStart)));
                continue;
            }
            worker.entitlement = rules::entitlementFor(*worker.years);
        }
        if (!typedEntitlement.empty()) {
            const auto typed = store::writtenWholeNumber(typedEntitlement);
            if (!typed) {
                refuse(store::worded("StaffImport", "الاستحقاق «%1» ليس عدداً صحيحاً").arg(shown(typedEntitlement)));
                continue;
            }
            worker.entitlement = *typed;
        } else if (!worker.start) {
            refuse(store::worded("StaffImport", "لم تُذكر بداية الخدمة ولا الاستحقاق"));
            continue;
        }
        workers.push_back(std::move(worker));
    }

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
                    refusals.push_back(store::worded("StaffImport", "السطر %1: «%2» في الدفتر من قبل أو في سطر سابق من القائمة")
                                           .arg(worker.line)
                                           .arg(shown(worker.name)));
        }
        if (!refusals.empty()) {
            for (const std::string& refusal : refusals)
                out << store::isolatedLeftToRight(list.string()) << ": " << refusal << "\n";
            out << store::worded("StaffImport", "لم يُحفظ شيء: الأسطر المرفوضة %1").arg((long long)refusals.size()).text()
                << "\n";
            return false;
        }
        for (const Worker& worker : workers)
            out << (options.dryRun ? store::worded("StaffImport", "سيُحفظ السطر %1: %2، منذ %3، سنوات الخدمة %4، الاستحقاق %5")
                                   : store::worded("StaffImport", "يُحفظ السطر %1: %2، منذ %3، سنوات الخدمة %4، الاستحقاق %5"))
                       .arg(worker.line)
                       .arg(shown(worker.name))
                       .arg(figure(worker.start))
                       .arg(figure(worker.years))
                       .arg(worker.entitlement)
                       .text()
                << "\n";
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
            out << store::worded("StaffImport", "العمال الذين سيُحفظون: %1").arg((long long)workers.size()).text() << "\n";
        return taken;
    }
    // Names already in the book are looked for under the write lock: of two imports of one
    // list at once, the second finds the first's workers.
    store::UnitOfWork work = book.beginWork(store::bookAction::import);
    if (!take())
        return false; // nothing stored: the unit of work is dropped
    work.commit();
    out << store::worded("StaffImport", "العمال المحفوظون: %1").arg((long long)workers.size()).text() << "\n";
    return true;
}

} // namespace operations
