#pragma once

class QApplication;

namespace controls {

// What the clerk must see whatever the desktop's style: the button that holds the focus
// (where Enter goes) ringed in a strong colour, on the dark bottom bar too; and a box's
// selection shown only while the box has the focus, so a selection left in a box the
// clerk moved away from is not taken for where typing will go.
void useProgramLook(QApplication& application);

// The colour of the ring round the focused button.
inline constexpr unsigned focusRingRgb = 0xE06000;

} // namespace controls
