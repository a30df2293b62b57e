#include "ArabicFonts.h"

#include <QFont>
#include <QStringList>

namespace controls {

void substituteArabicFaces()
{
    QFont::insertSubstitutions(QStringLiteral("Simplified Arabic"),
                               {QStringLiteral("Amiri"), QStringLiteral("Noto Naskh Arabic")});
}

} // namespace controls
