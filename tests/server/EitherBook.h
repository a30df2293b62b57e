#pragma once

#include "ServerBook.h"
#include "TempBook.h"

#include <gtest/gtest.h>

#include <optional>

namespace testing_support {

// A book of either kind, for the store's tests that run on both: the five local files, or
// a database on the tests' own cluster.
class EitherBook {
public:
    explicit EitherBook(bool onServer);

    // A program's connection to the book: each call is another program.
    std::unique_ptr<store::TDataModule1> open(store::BookOptions options = {}) const;
    // Every record of every table as stored, read on a connection of its own, each value as
    // text and NULL as "<null>", as readBook gives a local book.
    BookContents stored() const;

private:
    std::optional<TempBook> local_;
    std::optional<ServerBook> server_;
};

// The parameter of a suite run on both kinds: false the local book, true the server's.
inline std::string kindName(const ::testing::TestParamInfo<bool>& kind)
{
    return kind.param ? "server" : "local";
}

} // namespace testing_support
