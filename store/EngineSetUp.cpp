#include "EngineSetUp.h"

#include <sqlite3.h>

namespace store {

void setUpEngine()
{
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
}

} // namespace store
