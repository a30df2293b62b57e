#include "FileLock.h"
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

} // namespace
