#include "BookCommands.h"

#include "BookPlace.h"

#include "BookBackup.h"
#include "BookCheck.h"
#include "BookCopy.h"
#include "BookExport.h"
#include "BookRestore.h"
#include "BuiltInDataRoot.h"
#include "EngineFailure.h"
#include "Isolated.h"
#include "StaffImport.h"
#include "StoreError.h"
#include "YearClose.h"

#include <exception>
#include <unistd.h>
#include <optional>
#include <ostream>

namespace {

const char* const usage = "usage: ijazat-book [--data-root DIR] COMMAND [OPTIONS]\n"
                          "\n"
                          "The book is the one ijazat-setup chose for this user (a local folder or a\n"
                          "server); --data-root DIR works on the local book under DIR whatever was chosen.\n"
                          "\n"
                          "commands:\n"
                          "  backup [--to DIR]   a consistent copy of the book's five files, taken even while\n"
                          "                      the program is open; checked before it says done (default:\n"
                          "                      kestrave/Backups/YYYY-MM-DD_HHMMSS beside the data root)\n"
                          "  restore DIR         puts the backup in DIR in place of the book, once it is checked\n"
                          "                      and no program has the book open; the book as it was is\n"
                          "                      backed up first (into Backups/..._before-restore)\n"
                          "  check               the five files whole and the book's own; entries of no worker;\n"
                          "                      values outside 32 bits or of the wrong type; texts outside the\n"
                          "                      character set; every worker's totals against its entries.\n"
                          "                      One line a finding; exit 1 when the book is damaged, 0 when\n"
                          "                      it is only inconsistent\n"
                          "  export FILE.xlsx|FILE.csv [--entries]\n"
                          "                      the summary (a row per worker) or every entry, to a\n"
                          "                      spreadsheet: XLSX laid right to left, or CSV in UTF-8\n"
                          "  import FILE.csv [--dry-run] [--allow-duplicates]\n"
                          "                      registers the workers of a staff list: a title row naming\n"
                          "                      a name and a start-of-service column (an entitlement column\n"
                          "                      may follow); all or nothing, every bad line told. CSV in\n"
                          "                      UTF-8 only: save a spreadsheet as CSV first\n"
                          "  close-year YEAR [--dry-run]\n"
                          "                      settles hourly balances of a day or more into days,\n"
                          "                      archives the book into kestrave/Archive/YEAR, empties the\n"
                          "                      entries, starts the totals again, carries the hours below\n"
                          "                      a day, moves years of service and entitlements on. A year\n"
                          "                      closes once it has ended, once, and in order: after the\n"
                          "                      first close only the year after the last one closed\n"
                          "  archive YEAR        puts the archive of a closed YEAR in kestrave/Archive/YEAR on\n"
                          "                      this desk, from the server that keeps it with the book\n"
                          "\n"
                          "Exit status: 0 done, 1 refused or failed, 2 a usage error.\n";

struct UsageError {
    std::string what;
};

// The value after an option, or a usage error.
std::string valueOf(const std::vector<std::string>& args, std::size_t& at)
{
    if (at + 1 >= args.size())
        throw UsageError{args[at] + " needs a value"};
    return args[++at];
}

// A book on a server is read through a local copy taken in one snapshot: check and
// export then read it as they read a local book.
class LocalView {
public:
    explicit LocalView(const server::BookPlace& place)
    {
        if (!place.server) {
            root_ = place.localRoot;
            return;
        }
        copy_ = std::filesystem::temp_directory_path() / ("ijazat-view-" + std::to_string(getpid()));
        std::filesystem::remove_all(copy_);
        place.backUp(copy_ / "Data");
        root_ = copy_ / "Data";
    }
    ~LocalView()
    {
        std::error_code ignored;
        if (!copy_.empty())
            std::filesystem::remove_all(copy_, ignored);
    }
    LocalView(const LocalView&) = delete;
    LocalView& operator=(const LocalView&) = delete;
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_, copy_;
};

int backup(const server::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
           std::ostream& out)
{
    std::optional<std::filesystem::path> target;
    for (std::size_t at = 0; at < options.size(); ++at) {
        if (options[at] == "--to")
            target = valueOf(options, at);
        else
            throw UsageError{"backup does not take " + options[at]};
    }
    const std::filesystem::path into = target.value_or(defaultBackupFolder(place.localRoot, now));
    place.backUp(into);
    out << "backed up " << place.describe() << " into " << into.string() << "\n";
    return 0;
}

int restore(const server::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
            std::ostream& out)
{
    if (options.size() != 1 || options.front().rfind("--", 0) == 0)
        throw UsageError{"restore takes the backup's folder, and nothing else"};
    const std::filesystem::path safeCopy = defaultBackupFolder(place.localRoot, now + "_before-restore");
    place.restore(options.front(), safeCopy);
    out << "restored " << options.front() << " into " << place.describe() << "; the book as it was is in "
        << safeCopy.string() << "\n";
    return 0;
}

int exportTo(const server::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    std::optional<std::filesystem::path> file;
    bool entries = false;
    for (const std::string& option : options) {
        if (option == "--entries")
            entries = true;
        else if (option.rfind("--", 0) != 0 && !file)
            file = option;
        else
            throw UsageError{"export does not take " + option};
    }
    if (!file)
        throw UsageError{"export needs the file to write"};
    const std::string ending = file->extension().string();
    if (ending != ".xlsx" && ending != ".csv")
        throw UsageError{"export writes a .xlsx or a .csv file"};
    const std::unique_ptr<store::BookConnection> book = place.connect();
    store::openEveryTable(*book);
    exportBook(*book, *file, entries);
    out << "exported " << (entries ? "every entry" : "the summary") << " to " << file->string() << "\n";
    return 0;
}

int check(const server::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    if (!options.empty())
        throw UsageError{"check does not take " + options.front()};
    const LocalView view(place);
    const std::vector<store::Finding> findings = store::checkBook(view.root());
    bool damaged = false;
    for (const store::Finding& finding : findings) {
        out << (finding.damage ? "damaged: " : "inconsistent: ") << finding.text << "\n";
        damaged = damaged || finding.damage;
    }
    out << findings.size() << (findings.size() == 1 ? " finding" : " findings") << " in the book "
        << (place.server ? "on " : "under ") << place.describe() << "\n";
    return damaged ? 1 : 0;
}

int importList(const server::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
               std::ostream& out)
{
    std::optional<std::filesystem::path> list;
    StaffImportOptions chosen;
    for (const std::string& option : options) {
        if (option == "--dry-run")
            chosen.dryRun = true;
        else if (option == "--allow-duplicates")
            chosen.allowDuplicates = true;
        else if (option.rfind("--", 0) != 0 && !list)
            list = option;
        else
            throw UsageError{"import does not take " + option};
    }
    if (!list)
        throw UsageError{"import needs the staff list to read"};
    const int thisYear = std::stoi(now.substr(0, 4));
    return importStaff(place, *list, thisYear, chosen, out) ? 0 : 1;
}

std::string shown(const std::optional<std::int32_t>& value)
{
    return value ? std::to_string(*value) : std::string("-");
}

// The year given to a command that takes one: four digits.
int yearOption(const std::string& option, const std::string& command)
{
    if (option.size() != 4 || option.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{command + " takes a year of four digits: not " + option};
    return std::stoi(option);
}

int closeYearOf(const server::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
                std::ostream& out)
{
    std::optional<int> year;
    bool dryRun = false;
    for (const std::string& option : options) {
        if (option == "--dry-run")
            dryRun = true;
        else if (!year)
            year = yearOption(option, "close-year");
        else
            throw UsageError{"close-year takes one year and --dry-run: not " + option};
    }
    if (!year)
        throw UsageError{"close-year needs the year to close"};
    const std::unique_ptr<store::BookConnection> book = place.connect({"", 2000}); // a writer elsewhere is a refusal
    store::openEveryTable(*book);
    const int thisYear = std::stoi(now.substr(0, 4));
    const std::filesystem::path archives = store::archivesBeside(place.localRoot); // whatever the kind of book
    if (dryRun) {
        if (auto refusal = store::yearCloseRefusal(*book, *year, thisYear, archives))
            throw store::StoreError(*refusal);
        for (const store::YearCloseRow& row : store::planYearClose(*book, *year))
            out << row.worker << " " << row.name << ": years " << shown(row.yearsNow) << " -> " << shown(row.yearsAfter)
                << ", entitlement " << shown(row.entitlementNow) << " -> " << shown(row.entitlementAfter)
                << (row.daysSettled ? ", " + std::to_string(row.daysSettled) + " days settled from the hours" : "")
                << ", hours carried " << (row.hoursText.empty() ? "-" : row.hoursText) << "\n";
        return 0;
    }
    const std::filesystem::path archive = store::closeYear(*book, *year, thisYear, archives);
    out << "closed " << *year << "; its book is archived in " << archive.string() << "\n";
    return 0;
}

int archiveOf(const server::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    if (options.size() != 1)
        throw UsageError{"archive takes the closed year, and nothing else"};
    const int year = yearOption(options.front(), "archive");
    const std::filesystem::path target = store::archivesBeside(place.localRoot) / std::to_string(year);
    if (std::filesystem::exists(target)) {
        out << "the archive of " << year << " is in " << target.string() << "\n";
        return 0;
    }
    const std::unique_ptr<store::BookConnection> book = place.connect();
    if (!book->copyArchiveInto(year, target))
        throw store::StoreError(place.server ? "لا يحفظ خادم الدفتر " + store::isolatedLeftToRight(place.describe())
                                                   + " أرشيفاً لسنة " + store::isolatedLeftToRight(options.front())
                                             : "لا أرشيف لسنة " + store::isolatedLeftToRight(options.front()) + " في "
                                                   + store::isolatedLeftToRight(target.string()));
    out << "the archive of " << year << " is now in " << target.string() << "\n";
    return 0;
}

} // namespace

std::filesystem::path defaultBackupFolder(const std::filesystem::path& dataRoot, const std::string& now)
{
    return dataRoot.lexically_normal().parent_path() / "Backups" / now;
}

int runBookCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& now)
{
    try {
        server::BookPlace place = server::chosenBook(store::builtInDataRoot());
        std::size_t at = 0;
        for (; at < args.size() && args[at].rfind("--", 0) == 0; ++at) {
            if (args[at] == "--help") {
                out << usage;
                return 0;
            }
            if (args[at] != "--data-root")
                throw UsageError{"unknown option " + args[at]};
            place = server::BookPlace(valueOf(args, at));
        }
        if (at == args.size())
            throw UsageError{"no command given"};
        const std::string command = args[at];
        const std::vector<std::string> options(args.begin() + std::ptrdiff_t(at) + 1, args.end());
        if (command == "backup")
            return backup(place, options, now, out);
        if (command == "restore")
            return restore(place, options, now, out);
        if (command == "check")
            return check(place, options, out);
        if (command == "export")
            return exportTo(place, options, out);
        if (command == "import")
            return importList(place, options, now, out);
        if (command == "close-year")
            return closeYearOf(place, options, now, out);
        if (command == "archive")
            return archiveOf(place, options, out);
        throw UsageError{"unknown command " + command};
    } catch (const UsageError& wrong) {
        err << "ijazat-book: " << wrong.what << "\n" << usage;
        return 2;
    } catch (const std::filesystem::filesystem_error& failure) {
        err << "ijazat-book: " << store::fileFailure(failure) << "\n";
        return 1;
    } catch (const std::exception& failure) {
        err << "ijazat-book: " << failure.what() << "\n";
        return 1;
    }
}
