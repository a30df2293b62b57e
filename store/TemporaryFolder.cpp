#include "TemporaryFolder.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"

#include <cstdlib>

namespace store {

std::filesystem::path temporaryFolder()
{
    std::error_code failed;
    std::filesystem::path folder = std::filesystem::temp_directory_path(failed);
    if (!failed)
        return folder;
    // The library names no folder when the one it was given is not one.
    const char* given = std::getenv("TMPDIR");
    throw StoreError(worded("TemporaryFolder", "لا يُعمل في المجلد المؤقت: %1")
                         .arg(systemFailure(failed, isolatedLeftToRight(given ? given : "/tmp"))));
}

} // namespace store
