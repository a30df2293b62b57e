#include "ReadOnlyNotice.h"

#include "BookConnection.h"
#include "Dialogs.h"
#include "IsolatedText.h"

#include <QTimer>

using namespace Qt::Literals::StringLiterals;

void warnIfReadOnly(store::BookConnection& connection)
{
    const std::vector<std::string> unwritable = connection.unwritableParts();
    if (unwritable.empty())
        return;
    QString text = u"دفتر الإجازات في %1 للقراءة فقط: يُعرض ويُطبع، ولا يُحفظ فيه شيء. الملفات التي لا تُكتب:"_s.arg(
        controls::isolatedLeftToRight(QString::fromStdString(connection.place())));
    for (const std::string& part : unwritable)
        text += u'\n' + controls::isolatedLeftToRight(QString::fromStdString(part));
    // After the main window is shown, so the clerk sees which program speaks.
    QTimer::singleShot(0, [text] { controls::dialogs().warning(text); });
}
