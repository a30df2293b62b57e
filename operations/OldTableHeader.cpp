#include "OldTable.h"

#include "Schema.h"

#include <fstream>

// Told by the workers' file's header alone, without the library that reads the old tables:
// the program asks at every start-up, and loads that library only where a move-in reads them.
namespace operations {

bool holdsOldTables(const std::filesystem::path& dataRoot)
{
    // Known by its header alone: the sizes of a record and of the header, the kind of table,
    // the size of its blocks and the version of the format that made it.
    std::ifstream in(store::workerTable().pathUnder(dataRoot), std::ios::binary);
    unsigned char header[0x3a] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    const unsigned recordSize = header[0] | unsigned(header[1]) << 8;
    const unsigned headerSize = header[2] | unsigned(header[3]) << 8;
    const unsigned kind = header[4];
    const unsigned blockSize = header[5];
    const unsigned version = header[0x39];
    return recordSize > 0 && headerSize > 0 && headerSize % 0x800 == 0 && (kind == 0 || kind == 2) && blockSize >= 1
        && blockSize <= 32 && version >= 3 && version <= 15;
}

} // namespace operations
