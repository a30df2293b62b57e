#pragma once

#include "DataModule.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace operations {

// Where a book is: the five files under a local data root, or a database on a server. A
// book on a server still has a local data root: its backups and archives go beside it.
struct BookPlace {
    // A data root is a place: the local book under it.
    BookPlace(std::filesystem::path root, std::optional<std::string> onServer = std::nullopt)
        : localRoot(std::move(root)), server(std::move(onServer))
    {
    }

    std::filesystem::path localRoot;
    std::optional<std::string> server; // a libpq connection string or service, when the book is there

    std::unique_ptr<store::BookConnection> connect(store::BookOptions options = {}) const;
    std::unique_ptr<store::TDataModule1> open(store::BookOptions options = {}) const;
    // As the clerk is told it: the data root, or the server without its password.
    std::string describe() const;
};

// The book this user chose with ijazat-setup: the server recorded in the user's settings,
// else the local data root.
BookPlace chosenBook(const std::filesystem::path& localRoot);
// What the clerk gave as the server: a libpq connection string or URI as it is, and a
// bare name as the service of that name (from pg_service.conf).
std::string connectionString(const std::string& given);

// Records the choice for this user (Qt's settings, in the user's configuration folder).
// The connection string is kept as given: passwords belong in libpq's own ~/.pgpass.
void chooseServer(const std::string& conninfo);
void chooseLocal();

} // namespace operations
