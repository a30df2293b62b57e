#pragma once

#include "AnyBook.h"

namespace testing_support {

// A database of its own on the tests' PostgreSQL cluster.
BookKind serverBooks();

} // namespace testing_support
