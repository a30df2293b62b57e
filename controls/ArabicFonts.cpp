#include "ArabicFonts.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace controls {
namespace {

const QString windowFace = QStringLiteral("DejaVu Sans");
constexpr int windowPointSize = 9;

} // namespace

void substituteArabicFaces()
{
    // Where the system has no Amiri of its own (a Windows PC), the program brings it along in
    // the fonts folder beside it, with DejaVu Sans, the face Debian draws the windows in: the
    // windows are drawn in that too, since the system's own (Tahoma, Segoe UI) stands higher
    // and the windows' low boxes would not show their text.
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    bool windowFaceBrought = false;
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        const int face = QFontDatabase::addApplicationFont(fonts.filePath(file));
        windowFaceBrought = windowFaceBrought || QFontDatabase::applicationFontFamilies(face).contains(windowFace);
    }
    if (windowFaceBrought) // for every widget, the system's own faces for message boxes and menus included
        QApplication::setFont(QFont(windowFace, windowPointSize));
    QFont::insertSubstitutions(QStringLiteral("Simplified Arabic"),
                               {QStringLiteral("Amiri"), QStringLiteral("Noto Naskh Arabic")});
}

} // namespace controls
