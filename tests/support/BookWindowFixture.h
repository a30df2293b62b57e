#pragma once

#include "Clock.h"
#include "DataModule.h"
#include "FaultVfs.h"
#include "RecordingDialogs.h"
#include "TempBook.h"
#include "Typing.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace testing_support {

// A book in a temporary folder, opened through the fault layer, as the program-wide data
// module; today fixed at 15 March 2026; every box answered by a recorder.
class BookWindowFixture : public ::testing::Test {
protected:
    BookWindowFixture()
    {
        FaultVfs::install();
        FaultVfs::reset();
        book = std::make_unique<store::TDataModule1>(folder.root(), store::BookOptions{FaultVfs::name, 100});
        store::DataModule1 = book.get();
        controls::fixToday(QDate(2026, 3, 15));
    }
    ~BookWindowFixture() override
    {
        store::DataModule1 = nullptr;
        controls::fixToday(QDate());
        FaultVfs::reset();
    }

    // Closes the book and opens it again, as a restart of the program would.
    void reopen()
    {
        store::DataModule1 = nullptr;
        book.reset();
        book = std::make_unique<store::TDataModule1>(folder.root(), store::BookOptions{FaultVfs::name, 100});
        store::DataModule1 = book.get();
    }

    std::vector<std::vector<std::string>> storedWorkers() const { return readBook(folder.root())["worker"]; }

    RecordingDialogs boxes;
    TempBook folder;
    std::unique_ptr<store::TDataModule1> book;
};

} // namespace testing_support
