#include "ServerBooks.h"

#include "ServerBook.h"

namespace testing_support {

BookKind serverBooks()
{
    return {"server", [] { return std::make_unique<BookOf<ServerBook>>(); }};
}

} // namespace testing_support
