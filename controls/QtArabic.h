#pragma once

class QApplication;

namespace controls {

// Qt's own dialogs and buttons (a file dialog, a question's OK and Cancel, the print
// dialog) speak Arabic, from Qt's translation catalogue; the boxes the program's windows
// describe set their own texts. Without the catalogue they stay as Qt made them.
void speakArabic(QApplication& application);

} // namespace controls
