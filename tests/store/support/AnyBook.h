#pragma once

#include "TempBook.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace testing_support {

// A fresh book of one kind, for the suites every kind of book must pass.
class AnyBook {
public:
    virtual ~AnyBook() = default;
    // A program's connection to the book: each call is another program.
    virtual std::unique_ptr<store::TDataModule1> open(store::BookOptions options = {}) const = 0;
    // Every record of every table as stored, read on a connection of its own, each value as
    // text and NULL as "<null>", as readBook gives a local book.
    BookContents stored() const;
};

// A kind of book a suite is instantiated with: how one is made, and its name in the tests'
// names. The store's tests instantiate the local kind; those beside the server's fixture
// instantiate the server's.
struct BookKind {
    std::string name;
    std::function<std::unique_ptr<AnyBook>()> make;
};

inline std::string kindName(const ::testing::TestParamInfo<BookKind>& kind)
{
    return kind.param.name;
}

// As the tests' listing shows the parameter.
inline void PrintTo(const BookKind& kind, std::ostream* out)
{
    *out << kind.name;
}

// Any book made fresh by `Made`'s construction, opened as it opens.
template <typename Made>
class BookOf final : public AnyBook {
public:
    std::unique_ptr<store::TDataModule1> open(store::BookOptions options) const override
    {
        return made_.open(std::move(options));
    }

private:
    Made made_;
};

// The five local files in a folder of their own.
BookKind localBooks();

// The kinds the store's suites run on in this test program: each program that compiles the
// suites says which (the store's own the local kind, the server's the server's), so the
// store's tests never need the server.
std::vector<BookKind> kindsOfBook();

} // namespace testing_support
