#include "ToolboxLanguage.h"

#include "Wording.h"

#include <QLocale>
#include <QString>
#include <QTranslator>

void speakTheUsersLanguage()
{
    const QStringList languages = QLocale::system().uiLanguages();
    if (!languages.isEmpty() && QLocale(languages.first()).language() == QLocale::Arabic)
        return; // the book's texts are written in Arabic
    static QTranslator english;
    if (!english.load(QStringLiteral(":/translations/ijazat-book_en.qm")))
        return;
    store::speakThrough([](const char* context, const char* text) {
        const QString translated = english.translate(context, text);
        return translated.isEmpty() ? std::string(text) : translated.toStdString();
    });
}
