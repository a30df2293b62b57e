#pragma once

#include <QImage>

namespace controls {

// The pictures of the windows, compiled into the program as JPEG bytes.
enum class Picture {
    Heart,       // the main window's: a human heart on a blue ground, 144 x 167
    Traveller,   // the new-worker window's: a figure carrying a suitcase, 140 x 222
    LeaveWindow, // the four leave windows': 198 x 222
};

QImage picture(Picture which);

} // namespace controls
