#include "ServerBook.h"

#include "ServerBookConnection.h"
#include "ServerSchema.h"

namespace server {

std::unique_ptr<store::BookConnection> openServerBook(const std::string& conninfo, const std::filesystem::path& localRoot,
                                                      store::BookOptions options)
{
    return std::make_unique<ServerBookConnection>(conninfo, localRoot, std::move(options));
}

ServerSetupReport setUpServerBook(const std::string& conninfo, const std::filesystem::path& localRoot)
{
    ServerBookConnection connection(conninfo, localRoot);
    return createMissingServerTables(connection);
}

} // namespace server
