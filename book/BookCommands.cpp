#include "BookCommands.h"

#include "BookBackup.h"
#include "BookCheck.h"
#include "BookExport.h"
#include "BookFolders.h"
#include "BookHistory.h"
#include "BookPlace.h"
#include "BookRestore.h"
#include "DataModule.h"
#include "MoveIn.h"
#include "BuiltInDataRoot.h"
#include "EngineFailure.h"
#include "Isolated.h"
#include "StaffImport.h"
#include "StoreError.h"
#include "Utf8Path.h"
#include "WholeNumber.h"
#include "Wording.h"
#include "YearClose.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <ostream>
#include <set>

namespace {

std::string usage()
{
    return store::worded(
        "BookCommands",
        "الاستعمال: ijazat-book [--data-root DIR] COMMAND [OPTIONS]\n"
        "\n"
        "الدفتر هو الذي اختاره ijazat-setup لهذا المستخدم (مجلد على هذا الحاسوب أو خادم)؛\n"
        "و--data-root DIR يعمل على الدفتر الذي في المجلد DIR أياً كان الاختيار.\n"
        "\n"
        "الأوامر:\n"
        "  backup [--to DIR]   نسخة متسقة من ملفات الدفتر الخمسة، تؤخذ ولو كان البرنامج مفتوحاً،\n"
        "                      وتُفحص قبل أن يقال تمّت (وإلا ففي kestrave/Backups/YYYY-MM-DD_HHMMSS\n"
        "                      بجانب مجلد الدفتر)\n"
        "  restore DIR         يضع النسخة التي في DIR مكان الدفتر بعد فحصها إن لم يكن الدفتر مفتوحاً\n"
        "                      في برنامج؛ ويُنسخ الدفتر كما كان أولاً (في Backups/..._before-restore)\n"
        "  check               ملفات الدفتر الخمسة سليمة ومن الدفتر؛ قيود ليست لعامل؛ قيم خارج\n"
        "                      32 بتاً أو من غير نوعها؛ نصوص بحروف لا يحفظها الدفتر؛ مجاميع كل عامل\n"
        "                      مقابل قيوده. سطر لكل ملاحظة؛ ويخرج بـ1 إن كان الدفتر تالفاً، وبـ0 إن\n"
        "                      كان غير متسق فقط\n"
        "  export FILE.xlsx|FILE.csv [--entries]\n"
        "                      الخلاصة (سطر لكل عامل) أو كل القيود، في جدول بيانات: XLSX من اليمين\n"
        "                      إلى اليسار، أو CSV بترميز UTF-8\n"
        "  import FILE.csv [--dry-run] [--allow-duplicates]\n"
        "                      يسجّل عمال قائمة الموظفين: سطر عناوين يسمّي عمود الاسم وعمود بداية\n"
        "                      الخدمة (وقد يليهما عمود الاستحقاق)؛ كلها أو لا شيء، ويُذكر كل سطر\n"
        "                      مرفوض. CSV بترميز UTF-8 أو UTF-16 أو Windows-1256: احفظ جدول\n"
        "                      البيانات بصيغة CSV أولاً\n"
        "  close-year YEAR [--dry-run]\n"
        "                      يسوّي أرصدة الساعات التي تبلغ يوماً أو أكثر أياماً، ويؤرشف الدفتر في\n"
        "                      kestrave/Archive/YEAR، ويفرغ القيود، ويبدأ المجاميع من جديد، وينقل\n"
        "                      الساعات دون اليوم، ويزيد سنوات الخدمة والاستحقاق. تُقفل السنة بعد أن\n"
        "                      تنتهي، مرة واحدة، وبالترتيب: بعد أول إقفال لا تُقفل إلا السنة التي\n"
        "                      تلي آخر سنة أُقفلت\n"
        "  archive YEAR        يضع أرشيف سنة YEAR المقفلة في kestrave/Archive/YEAR على هذا المكتب،\n"
        "                      من الخادم الذي يحفظه مع الدفتر\n"
        "  move-in OLD_DATA_ROOT [--dry-run]\n"
        "                      ينقل دفتر البرنامج القديم (جداوله الخمسة بصيغة Paradox تحت\n"
        "                      OLD_DATA_ROOT) إلى دفتر فارغ، كله أو لا شيء؛ ويذكر ما نقل وكل\n"
        "                      مجموع لا يساوي قيوده. إن كان مجلده هو مجلد الدفتر حُفظ كما هو\n"
        "                      في Data.before-move-in\n"
        "  history [--worker N] [--since YYYY-MM-DD] [--csv FILE.csv|FILE.xlsx]\n"
        "                      سجل التغييرات، الأحدث أولاً: متى، والعامل واسمه يومها، وما غيّره (عمل\n"
        "                      الكاتب أو برنامج آخر)، والحقل وقيمته قبل وبعد، ومن غيّره\n"
        "\n"
        "حالة الخروج: 0 تمّ، 1 رُفض أو أخفق، 2 خطأ في الاستعمال.\n");
}

// What the clerk typed, as a message echoes it.
std::string typed(const std::string& given)
{
    return store::isolated(store::controlsWrittenOut(given));
}

struct UsageError {
    std::string what;
};

std::string notTaken(const char* command, const std::string& option)
{
    return store::worded("BookCommands", "لا يأخذ %1 الخيار %2").arg(command).arg(typed(option));
}

// The one path a command takes and the flags it was given, of those it allows; anything else
// is a usage error.
struct PathAndFlags {
    std::optional<std::filesystem::path> path;
    std::set<std::string> flags;
};

PathAndFlags pathAndFlags(const char* command, const std::vector<std::string>& options,
                          std::initializer_list<std::string_view> allowed)
{
    PathAndFlags given;
    for (const std::string& option : options) {
        if (std::find(allowed.begin(), allowed.end(), option) != allowed.end())
            given.flags.insert(option);
        else if (option.rfind("--", 0) != 0 && !given.path)
            given.path = platform::utf8Path(option);
        else
            throw UsageError{notTaken(command, option)};
    }
    return given;
}

// The value after an option, or a usage error.
std::string valueOf(const std::vector<std::string>& args, std::size_t& at)
{
    if (at + 1 >= args.size())
        throw UsageError{store::worded("BookCommands", "يحتاج %1 قيمة").arg(typed(args[at]))};
    return args[++at];
}

int backup(const operations::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
           std::ostream& out)
{
    std::optional<std::filesystem::path> target;
    for (std::size_t at = 0; at < options.size(); ++at) {
        if (options[at] == "--to")
            target = platform::utf8Path(valueOf(options, at));
        else
            throw UsageError{notTaken("backup", options[at])};
    }
    const std::filesystem::path into = target.value_or(operations::backupFolder(place.localRoot, now));
    operations::backUp(*place.connect(), into);
    out << store::worded("BookCommands", "نُسخ الدفتر %1 في %2")
               .arg(store::isolatedLeftToRight(place.describe()))
               .arg(store::isolatedLeftToRight(into.string()))
               .text()
        << "\n";
    return 0;
}

int restore(const operations::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
            std::ostream& out)
{
    if (options.size() != 1 || options.front().rfind("--", 0) == 0)
        throw UsageError{store::worded("BookCommands", "يأخذ %1 مجلد النسخة الاحتياطية ولا شيء غيره").arg("restore")};
    const std::filesystem::path safeCopy = operations::backupFolder(place.localRoot, now + "_before-restore");
    operations::restore(*place.connect(), platform::utf8Path(options.front()), safeCopy);
    out << store::worded("BookCommands", "وُضعت النسخة %1 مكان الدفتر %2، والدفتر كما كان في %3")
               .arg(store::isolatedLeftToRight(options.front()))
               .arg(store::isolatedLeftToRight(place.describe()))
               .arg(store::isolatedLeftToRight(safeCopy.string()))
               .text()
        << "\n";
    return 0;
}

int exportTo(const operations::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    const PathAndFlags given = pathAndFlags("export", options, {"--entries"});
    const std::optional<std::filesystem::path>& file = given.path;
    const bool entries = given.flags.count("--entries") > 0;
    if (!file)
        throw UsageError{store::worded("BookCommands", "يحتاج %1 الملف الذي يكتب فيه").arg("export")};
    const std::string ending = file->extension().string();
    if (ending != ".xlsx" && ending != ".csv")
        throw UsageError{store::worded("BookCommands", "يكتب %1 ملفاً ينتهي بـ%2 أو %3")
                             .arg("export")
                             .arg(store::isolatedLeftToRight(".xlsx"))
                             .arg(store::isolatedLeftToRight(".csv"))};
    const std::unique_ptr<store::BookConnection> book = place.connect();
    operations::exportBook(*book, *file, entries);
    out << (entries ? store::worded("BookCommands", "صُدّرت القيود كلها إلى %1")
                    : store::worded("BookCommands", "صُدّرت الخلاصة إلى %1"))
               .arg(store::isolatedLeftToRight(file->string()))
               .text()
        << "\n";
    return 0;
}

int check(const operations::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    if (!options.empty())
        throw UsageError{notTaken("check", options.front())};
    // The check reads every page itself: the open need not read them too.
    store::BookOptions pagesReadByTheCheck;
    pagesReadByTheCheck.pagesProven = store::BookOptions::PagesProven::ByCaller;
    const std::vector<operations::Finding> findings = operations::checkBook(*place.connect(pagesReadByTheCheck));
    bool damaged = false;
    for (const operations::Finding& finding : findings) {
        out << (finding.damage ? store::worded("BookCommands", "تالف: %1") : store::worded("BookCommands", "غير متسق: %1"))
                   .arg(finding.text)
                   .text()
            << "\n";
        damaged = damaged || finding.damage;
    }
    out << (place.server ? store::worded("BookCommands", "الملاحظات: %1، في الدفتر على %2")
                         : store::worded("BookCommands", "الملاحظات: %1، في الدفتر في %2"))
               .arg((long long)findings.size())
               .arg(store::isolatedLeftToRight(place.describe()))
               .text()
        << "\n";
    return damaged ? 1 : 0;
}

int importList(const operations::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
               std::ostream& out)
{
    const PathAndFlags given = pathAndFlags("import", options, {"--dry-run", "--allow-duplicates"});
    const std::optional<std::filesystem::path>& list = given.path;
    operations::StaffImportOptions chosen;
    chosen.dryRun = given.flags.count("--dry-run") > 0;
    chosen.allowDuplicates = given.flags.count("--allow-duplicates") > 0;
    if (!list)
        throw UsageError{store::worded("BookCommands", "يحتاج %1 قائمة الموظفين التي يقرؤها").arg("import")};
    const int thisYear = std::stoi(now.substr(0, 4));
    const std::unique_ptr<store::TDataModule1> book = place.open();
    return operations::importStaff(*book, *list, thisYear, chosen, out) ? 0 : 1;
}

std::string shown(const std::optional<std::int32_t>& value)
{
    return value ? std::to_string(*value) : std::string("-");
}

// The year given to a command that takes one: four digits.
int yearOption(const std::string& option, const std::string& command)
{
    if (option.size() != 4 || option.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{
            store::worded("BookCommands", "يأخذ %1 سنة من أربعة أرقام، لا %2").arg(command).arg(typed(option))};
    return std::stoi(option);
}

int closeYearOf(const operations::BookPlace& place, const std::vector<std::string>& options, const std::string& now,
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
            throw UsageError{store::worded("BookCommands", "يأخذ %1 سنة واحدة و%2، لا %3")
                                 .arg("close-year")
                                 .arg("--dry-run")
                                 .arg(typed(option))};
    }
    if (!year)
        throw UsageError{store::worded("BookCommands", "يحتاج %1 السنة التي تُقفل").arg("close-year")};
    store::BookOptions closing{"", 2000}; // a writer elsewhere is a refusal
    // The close reads every page of the book once, in its archive, before the book is changed.
    closing.pagesProven = store::BookOptions::PagesProven::ByCaller;
    const std::unique_ptr<store::BookConnection> book = place.connect(closing);
    const int thisYear = std::stoi(now.substr(0, 4));
    const std::filesystem::path archives = operations::archivesBeside(place.localRoot); // whatever the kind of book
    if (dryRun) {
        if (auto refusal = operations::yearCloseRefusal(*book, *year, thisYear, archives))
            throw store::StoreError(*refusal);
        for (const operations::YearCloseRow& row : operations::planYearClose(*book, *year))
            out << store::worded("BookCommands", "%1 «%2»: سنوات الخدمة من %3 إلى %4، الاستحقاق من %5 إلى %6، "
                                                 "أيام سُوّيت من الساعات %7، الساعات المنقولة %8")
                       .arg(row.worker)
                       .arg(store::isolated(store::controlsWrittenOut(row.name)))
                       .arg(shown(row.yearsNow))
                       .arg(shown(row.yearsAfter))
                       .arg(shown(row.entitlementNow))
                       .arg(shown(row.entitlementAfter))
                       .arg(row.daysSettled)
                       .arg(store::isolatedLeftToRight(row.hoursText.empty() ? "-" : row.hoursText))
                       .text()
                << "\n";
        return 0;
    }
    const std::filesystem::path archive = operations::closeYear(*book, *year, thisYear, archives);
    out << store::worded("BookCommands", "أُقفلت سنة %1، ودفترها في الأرشيف %2")
               .arg(*year)
               .arg(store::isolatedLeftToRight(archive.string()))
               .text()
        << "\n";
    return 0;
}

int archiveOf(const operations::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    if (options.size() != 1)
        throw UsageError{store::worded("BookCommands", "يأخذ %1 السنة المقفلة ولا شيء غيرها").arg("archive")};
    const int year = yearOption(options.front(), "archive");
    const std::filesystem::path target = operations::archivesBeside(place.localRoot) / std::to_string(year);
    if (std::filesystem::exists(target)) {
        out << store::worded("BookCommands", "أرشيف سنة %1 في %2").arg(year).arg(store::isolatedLeftToRight(target.string())).text()
            << "\n";
        return 0;
    }
    const std::unique_ptr<store::BookConnection> book = place.connect();
    if (!operations::fetchArchive(*book, year, target))
        throw store::StoreError(place.server ? store::worded("BookCommands", "لا يحفظ خادم الدفتر %1 أرشيفاً لسنة %2")
                                                   .arg(store::isolatedLeftToRight(place.describe()))
                                                   .arg(year)
                                             : store::worded("BookCommands", "لا أرشيف لسنة %2 في %1")
                                                   .arg(store::isolatedLeftToRight(target.string()))
                                                   .arg(year));
    out << store::worded("BookCommands", "أرشيف سنة %1 الآن في %2").arg(year).arg(store::isolatedLeftToRight(target.string())).text()
        << "\n";
    return 0;
}

int moveInto(const operations::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    const PathAndFlags given = pathAndFlags("move-in", options, {"--dry-run"});
    const std::optional<std::filesystem::path>& old = given.path;
    const bool dryRun = given.flags.count("--dry-run") > 0;
    if (!old)
        throw UsageError{store::worded("BookCommands", "يحتاج %1 مجلد الدفتر القديم").arg("move-in")};
    std::error_code differs;
    const bool inPlace = !place.server && std::filesystem::equivalent(*old, place.localRoot, differs);
    operations::MoveInReport report;
    if (place.server) {
        const std::unique_ptr<store::BookConnection> book = place.connect();
        report = operations::moveIn(*old, *book, dryRun);
    } else {
        report = operations::moveInLocally(*old, place.localRoot, dryRun);
    }
    out << (dryRun ? store::worded("BookCommands", "سيُنقل الدفتر القديم من %1 إلى الدفتر %2")
                   : store::worded("BookCommands", "نُقل الدفتر القديم من %1 إلى الدفتر %2"))
               .arg(store::isolatedLeftToRight(old->string()))
               .arg(store::isolatedLeftToRight(place.describe()))
               .text()
        << "\n";
    const std::pair<const store::TableDef*, store::Wording> counted[] = {
        {&store::workerTable(), store::worded("BookCommands", "العمال: %1")},
        {&store::permitAdminTable(), store::worded("BookCommands", "القيود الإدارية: %1")},
        {&store::permitHoursTable(), store::worded("BookCommands", "القيود الساعية: %1")},
        {&store::permitHealthTable(), store::worded("BookCommands", "القيود الصحية: %1")},
        {&store::permitNoHireTable(), store::worded("BookCommands", "القيود بلا أجر: %1")},
    };
    for (const auto& [table, said] : counted)
        out << store::Wording(said).arg((long long)report.records[std::string(table->name)]).text() << "\n";
    for (const operations::Finding& finding : report.findings)
        out << store::worded("BookCommands", "كما كان في الدفتر القديم: %1").arg(finding.text).text() << "\n";
    if (inPlace && !dryRun)
        out << store::worded("BookCommands", "الدفتر القديم محفوظ كما كان في %1")
                   .arg(store::isolatedLeftToRight(operations::keptOldBook(place.localRoot).string()))
                   .text()
            << "\n";
    return 0;
}

int historyOf(const operations::BookPlace& place, const std::vector<std::string>& options, std::ostream& out)
{
    operations::HistoryFilter filter;
    std::optional<std::filesystem::path> sheet;
    for (std::size_t at = 0; at < options.size(); ++at) {
        if (options[at] == "--worker") {
            const std::string given = valueOf(options, at);
            const std::optional<std::int32_t> worker = store::parseWholeNumber(given);
            if (!worker || *worker < 1)
                throw UsageError{store::worded("BookCommands", "يأخذ %1 رقم العامل، لا %2").arg("--worker").arg(typed(given))};
            filter.worker = *worker;
        } else if (options[at] == "--since") {
            const std::string given = valueOf(options, at);
            const std::optional<std::int64_t> since = operations::startOfDay(given);
            if (!since)
                throw UsageError{store::worded("BookCommands", "يأخذ %1 يوماً مثل %2، لا %3")
                                     .arg("--since")
                                     .arg(store::isolatedLeftToRight("2026-01-31"))
                                     .arg(typed(given))};
            filter.since = *since;
        } else if (options[at] == "--csv") {
            sheet = platform::utf8Path(valueOf(options, at));
            const std::string ending = sheet->extension().string();
            if (ending != ".csv" && ending != ".xlsx")
                throw UsageError{store::worded("BookCommands", "يكتب %1 ملفاً ينتهي بـ%2 أو %3")
                                     .arg("history --csv")
                                     .arg(store::isolatedLeftToRight(".csv"))
                                     .arg(store::isolatedLeftToRight(".xlsx"))};
        } else {
            throw UsageError{notTaken("history", options[at])};
        }
    }
    const std::vector<operations::HistoryEntry> history = operations::readHistory(*place.connect(), filter);
    if (sheet) {
        operations::writeHistorySheet(history, *sheet);
        out << store::worded("BookCommands", "كُتب سجل التغييرات (%1 سطراً) في %2")
                   .arg((long long)history.size())
                   .arg(store::isolatedLeftToRight(sheet->string()))
                   .text()
            << "\n";
        return 0;
    }
    for (const operations::HistoryEntry& entry : history) {
        out << store::isolatedLeftToRight(operations::localTimeText(entry.at)) << "  "
            << store::worded("BookCommands", "العامل %1 «%2»").arg(entry.worker).arg(typed(entry.workerName)).text() << "  "
            << operations::actionWords(entry) << "  " << operations::fieldWords(entry);
        if (entry.change != "mark")
            out << ": " << typed(operations::valueWords(entry.before)) << " ← " << typed(operations::valueWords(entry.after));
        out << "  " << store::isolatedLeftToRight(entry.who) << "\n";
    }
    out << store::worded("BookCommands", "أسطر السجل: %1").arg((long long)history.size()).text() << "\n";
    return 0;
}

} // namespace

int runBookCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& now)
{
    try {
        operations::BookPlace place = operations::chosenBook(platform::builtInDataRoot());
        std::size_t at = 0;
        for (; at < args.size() && args[at].rfind("--", 0) == 0; ++at) {
            if (args[at] == "--help") {
                out << usage();
                return 0;
            }
            if (args[at] != "--data-root")
                throw UsageError{store::worded("BookCommands", "لا يُعرف الخيار %1").arg(typed(args[at]))};
            place = operations::BookPlace(platform::utf8Path(valueOf(args, at)));
        }
        if (at == args.size())
            throw UsageError{store::worded("BookCommands", "لم يُذكر أمر")};
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
        if (command == "move-in")
            return moveInto(place, options, out);
        if (command == "history")
            return historyOf(place, options, out);
        throw UsageError{store::worded("BookCommands", "لا يُعرف الأمر %1").arg(typed(command))};
    } catch (const UsageError& wrong) {
        err << "ijazat-book: " << wrong.what << "\n" << usage();
        return 2;
    } catch (const std::filesystem::filesystem_error& failure) {
        err << "ijazat-book: " << store::fileFailure(failure) << "\n";
        return 1;
    } catch (const std::exception& failure) {
        err << "ijazat-book: " << failure.what() << "\n";
        return 1;
    }
}
