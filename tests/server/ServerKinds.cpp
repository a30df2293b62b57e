#include "ServerBooks.h"

std::vector<testing_support::BookKind> testing_support::kindsOfBook()
{
    return {serverBooks()};
}
