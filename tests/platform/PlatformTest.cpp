#include "FileLock.h"
#include "LibraryOnDemand.h"
#include "Processes.h"
#include "Utf8Path.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Kind = platform::FileLock::Kind;
using Outcome = platform::FileLock::Outcome;

std::filesystem::path scratchFolder(const char* name)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(FileLock, SharedHoldersAreManyAnAloneHolderIsOneAndEachGivesItBackWhenItEnds)
{
    const std::filesystem::path file = scratchFolder("ijazat-platform-lock") / ".in-use";
    struct Case {
        Kind first, second;
        Outcome secondGets;
    };
    for (const Case& c : {Case{Kind::Shared, Kind::Shared, Outcome::Held}, Case{Kind::Shared, Kind::Alone, Outcome::TakenElsewhere},
                          Case{Kind::Alone, Kind::Shared, Outcome::TakenElsewhere}, Case{Kind::Alone, Kind::Alone, Outcome::TakenElsewhere}}) {
        {
            platform::FileLock first, second;
            ASSERT_EQ(first.take(file, c.first), Outcome::Held);
            EXPECT_EQ(second.take(file, c.second), c.secondGets);
        }
        platform::FileLock after;
        EXPECT_EQ(after.take(file, Kind::Alone), Outcome::Held) << "both gave it back";
    }
    platform::FileLock nowhere;
    EXPECT_EQ(nowhere.take(file.parent_path() / "no such folder" / ".in-use", Kind::Shared), Outcome::Unopened);
    EXPECT_EQ(nowhere.failure(), std::errc::no_such_file_or_directory);
}

TEST(Utf8Path, AFolderNamedInArabicWithASpaceIsMadeFoundAndNamedAsTyped)
{
    const std::string typed = (scratchFolder("ijazat-platform-names") / "").string() + "كتاب الإجازات";
    const std::filesystem::path folder = platform::utf8Path(typed);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    std::ofstream(folder / "worker.db") << "x";
    EXPECT_EQ(folder.string(), typed);
    EXPECT_EQ(folder.filename().string(), "كتاب الإجازات");
    EXPECT_TRUE(std::filesystem::exists(platform::utf8Path(platform::narrowPath(folder)) / "worker.db"));
    EXPECT_TRUE(platform::folderWritable(folder));
}

TEST(Processes, ThisOneRunsAndOneThatEndedDoesNot)
{
    EXPECT_TRUE(platform::processRunning(platform::thisProcess()));
    EXPECT_FALSE(platform::processRunning(0));
    EXPECT_FALSE(platform::processRunning(2'000'000'000)) << "beyond any process number the system gives";
}

// A library found on first need hands its functions out; one missing, or a function it lacks,
// is told through the caller's own words, naming what was not found.
TEST(LibraryOnDemand, HandsOutAFunctionOrTellsWhatWasNotFound)
{
    struct NotFound {
        std::string why;
    };
    const platform::LibraryMissing missing = [](const std::string& why) { throw NotFound{why}; };
    using Version = const char* (*)();
    const auto version = reinterpret_cast<Version>(platform::libraryFunction("libsqlite3.so.0", "sqlite3_libversion", missing));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(std::string(version()).substr(0, 2), "3.");
    struct Case {
        const char* soname;
        const char* function;
        const char* named;
    };
    for (const Case& c : {Case{"libijazat-nowhere.so.9", "anything", "libijazat-nowhere.so.9"},
                          Case{"libsqlite3.so.0", "sqlite3_no_such_function", "sqlite3_no_such_function"}}) {
        try {
            platform::libraryFunction(c.soname, c.function, missing);
            ADD_FAILURE() << c.soname << " " << c.function << " was found";
        } catch (const NotFound& told) {
            EXPECT_NE(told.why.find(c.named), std::string::npos) << told.why;
        }
    }
}

} // namespace
