#pragma once

#include <string>

namespace testing_support {

// A file-access layer over the system's own that counts every write, sync and truncate
// of the book's files and, when told, fails one of them or kills the process right
// before it, as a full disk, a broken disk or a power cut would.
class FaultVfs {
public:
    static constexpr const char* name = "ijazat-fault";

    // Registers the layer once; afterwards BookOptions{.vfs = FaultVfs::name} uses it.
    static void install();

    // Counts from zero again and stops injecting.
    static void reset();
    // The n-th durable operation from now (counting from 1) fails with an I/O error, or
    // with `code` (SQLITE_FULL: a full disk).
    static void failAt(int n, int code = 0);
    // Files opened from now on are read-only, as on a disk mounted so or a folder the
    // clerk may not write.
    static void openReadOnly(bool readOnly);
    // Before the n-th durable operation from now, the process ends at once (_exit).
    static void killAt(int n);
    // Durable operations since the last reset.
    static int operations();
};

} // namespace testing_support
