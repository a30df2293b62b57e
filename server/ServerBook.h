#pragma once

#include "BookConnection.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace server {

// The book on a PostgreSQL server as the programs open it, `localRoot` holding what stays on
// the desk (backups, archives). Throws StoreError naming the server when it cannot be reached,
// and refuses a connection string that holds a password: the settings would keep it in plain
// text, where libpq's own ~/.pgpass (or a service file) keeps it private.
// A build made without the server's client library (the Windows build) keeps the book on
// the PC only and refuses every server, saying so.
std::unique_ptr<store::BookConnection> openServerBook(const std::string& conninfo, const std::filesystem::path& localRoot,
                                                      store::BookOptions options = {});

// What a desk's database role may do with the book, given by the book's owner at setup: a
// clerk reads and posts, a reader reads, prints, exports and backs up.
enum class DeskRole { Clerk, Reader };
struct RoleGrant {
    DeskRole kind;
    std::string role;
};

struct ServerSetupReport {
    std::vector<std::string> created;  // tables made now
    std::vector<std::string> historied; // tables of an older book given their history now
    std::vector<std::string> problems; // tables there that are not the book's
};

// Makes, in one transaction, whichever of the five tables the server's database lacks; one
// there is checked and left alone, and a book already whole is not written to at all, so a
// desk's role may choose it. Then gives each role of `grants` its rights. Throws StoreError
// as openServerBook does.
ServerSetupReport setUpServerBook(const std::string& conninfo, const std::filesystem::path& localRoot,
                                  const std::vector<RoleGrant>& grants = {});

// Where the book is, as the clerk is told it: the server's host (or socket folder), port
// and database, or the service's name; never a password, whatever the connection string holds.
std::string describeServer(const std::string& conninfo);

} // namespace server
