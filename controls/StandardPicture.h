#pragma once

#include <QIcon>
#include <QStyle>

namespace controls {

// A button's standard picture, decoded once for the whole program: every window's close
// button shows the same one, and decoding it anew for each was a share of the start-up.
QIcon standardPicture(QStyle::StandardPixmap picture);

} // namespace controls
