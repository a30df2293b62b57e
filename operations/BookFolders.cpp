#include "BookFolders.h"

namespace operations {

std::filesystem::path backupsBeside(const std::filesystem::path& dataRoot)
{
    return dataRoot.lexically_normal().parent_path() / "Backups";
}

std::filesystem::path backupFolder(const std::filesystem::path& dataRoot, const std::string& stamp)
{
    return backupsBeside(dataRoot) / stamp;
}

std::filesystem::path archivesBeside(const std::filesystem::path& dataRoot)
{
    return dataRoot.lexically_normal().parent_path() / "Archive";
}

} // namespace operations
