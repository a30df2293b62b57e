#pragma once

namespace platform {

// This program's process number, as files it leaves behind while it works are marked.
long thisProcess();

// Whether a process of that number runs on this computer.
bool processRunning(long process);

} // namespace platform
