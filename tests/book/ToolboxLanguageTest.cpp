#include "TempBook.h"
#include "Wording.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/wait.h>

namespace {

const std::filesystem::path translation = std::filesystem::path(IJAZAT_SOURCE) / "book/translations/ijazat-book_en.ts";

struct Message {
    QString context, source, translated;
    bool finished;
};

std::vector<Message> messagesOf(const std::filesystem::path& file)
{
    QFile in(QString::fromStdString(file.string()));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file;
    QXmlStreamReader xml(&in);
    std::vector<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            messages.push_back({context, xml.readElementText(), {}, false});
        else if (xml.name() == u"translation") {
            messages.back().finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            messages.back().translated = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

std::set<QString> placesOf(const QString& text)
{
    std::set<QString> places;
    for (const auto& match : QRegularExpression(QStringLiteral("%[1-9]")).globalMatch(text))
        places.insert(match.captured());
    return places;
}

std::string run(const std::string& command)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string said;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe))
        said += chunk;
    pclose(pipe);
    return said;
}

// A line with the isolated pieces taken out: paths, names and values the clerk gave.
QString wordsOf(const QString& line)
{
    static const QRegularExpression isolatedPiece(QStringLiteral("[\u2066\u2068][^\u2069]*\u2069"));
    return QString(line).remove(isolatedPiece);
}

} // namespace

TEST(Translation, EveryTextTheToolboxSaysHasItsEnglishWithTheSameValues)
{
    const std::filesystem::path current = std::filesystem::temp_directory_path() / "ijazat-current-en.ts";
    std::filesystem::copy_file(translation, current, std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(std::system((std::string(IJAZAT_SOURCE) + "/scripts/update-translations " + current.string()).c_str()), 0);
    const std::vector<Message> committed = messagesOf(translation), now = messagesOf(current);
    std::filesystem::remove(current);
    ASSERT_GT(committed.size(), 100u);
    EXPECT_EQ(now.size(), committed.size()) << "scripts/update-translations: a text came or went";
    for (const Message& message : now) {
        SCOPED_TRACE(message.context.toStdString() + ": " + message.source.toStdString());
        EXPECT_TRUE(message.finished) << "not yet translated";
        EXPECT_EQ(placesOf(message.translated), placesOf(message.source)) << message.translated.toStdString();
    }
}

TEST(Wording, PutsEachValueInOnceWhereTheTranslationPlacesIt)
{
    store::speakThrough([](const char*, const char* text) {
        return std::string(text) == "%1 في %2" ? std::string("%2 holds %1") : std::string(text);
    });
    const std::string said = store::worded("Test", "%1 في %2").arg("%2").arg(7);
    const std::string untranslated = store::worded("Test", "%1 و%3").arg("a");
    store::speakThrough(nullptr);
    EXPECT_EQ(said, "7 holds %2") << "a value holding %2 is not filled in again";
    EXPECT_EQ(untranslated, "a و%3") << "a place with no value stays as written";
    EXPECT_EQ(std::string(store::worded("Test", "%1 في %2").arg("x").arg("y")), "x في y") << "Arabic again";
}

// The real program under each locale: every line in one language, whatever the path.
TEST(Toolbox, SpeaksArabicUnderAnArabicLocaleAndEnglishOtherwiseNeverMixed)
{
    testing_support::TempBook live;
    const std::filesystem::path list = live.root().parent_path() / "staff.csv";
    std::ofstream(list) << "اسم العامل,بداية الخدمة\nسالم,2010\n,2011\n";
    const std::string book = std::string(IJAZAT_BOOK) + " --data-root " + live.root().string() + " ";
    const std::vector<std::string> commands = {
        "--help",
        "fly",
        "check",
        "backup --to " + (live.root().parent_path() / "copy").string(),
        "backup --to " + (live.root().parent_path() / "copy").string(), // refused: there already
        "import " + list.string() + " --dry-run",
        "close-year 2999",
        "export /nonexistent/folder/sheet.xlsx",
        "history --worker 1",
    };
    // A line the usage shows as typed: a command and its options, no words.
    static const QRegularExpression synopsis(QStringLiteral("^\\s*(ijazat-book|backup|restore|check|export|import|close-year|archive|move-in|history) "));
    static const QRegularExpression arabicLetter(QStringLiteral("[\u0600-\u06FF]")), latinLetter(QStringLiteral("[A-Za-z]"));
    for (const auto& [locale, arabic] : std::vector<std::pair<std::string, bool>>{
             {"LANGUAGE= LC_ALL=C.UTF-8", false},
             {"LANGUAGE= LC_ALL= LANG=en_GB.UTF-8", false},
             {"LANGUAGE= LC_ALL=ar_SY.UTF-8", true},
             {"LANGUAGE=ar LC_ALL= LANG=fr_FR.UTF-8", true}}) {
        for (const std::string& command : commands) {
            const QString said = QString::fromStdString(run(locale + " " + book + command));
            SCOPED_TRACE(locale + " " + command + "\n" + said.toStdString());
            EXPECT_FALSE(said.trimmed().isEmpty());
            for (const QString& line : said.split(u'\n', Qt::SkipEmptyParts)) {
                const QString words = wordsOf(line);
                if (arabic)
                    EXPECT_TRUE(words.contains(arabicLetter) || !words.contains(latinLetter) || synopsis.match(words).hasMatch())
                        << line.toStdString();
                else
                    EXPECT_FALSE(words.contains(arabicLetter)) << line.toStdString();
            }
        }
    }
}
