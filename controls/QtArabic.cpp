#include "QtArabic.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace controls {

void speakArabic(QApplication& application)
{
    auto* catalogue = new QTranslator(&application);
    if (catalogue->load(u"qtbase_ar"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(catalogue);
    else
        delete catalogue;
}

} // namespace controls
