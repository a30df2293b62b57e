#include "OddValueNotices.h"

#include "BookConnection.h"
#include "Dialogs.h"

#include <QStringList>
#include <QTimer>

#include <memory>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype linesShown = 20;

QString where(const store::OddValue& value)
{
    if (value.table == store::workerTable().name)
        return u"العامل «%1» (رقم %2)"_s.arg(QString::fromStdString(value.workerName)).arg(value.record);
    const QString entry = u"القيد رقم %1 في %2"_s.arg(value.record).arg(QString::fromUtf8(value.table));
    return value.worker ? entry + u" للعامل رقم %1"_s.arg(*value.worker) : entry;
}

QString line(const store::OddValue& value)
{
    // The field and the value keep their own left-to-right order inside the Arabic line.
    return u"%1: الحقل \u2066%2\u2069 يحمل \u2066'%3'\u2069"_s.arg(where(value), QString::fromUtf8(value.field),
                                                                   QString::fromStdString(value.stored));
}

void tell(const QStringList& lines)
{
    QString text = u"في الدفتر قيم كتبها برنامج آخر وليست أعدادًا صحيحة يحفظها الدفتر، فتظهر فارغة:"_s;
    for (const QString& shown : lines.first(std::min(lines.size(), linesShown)))
        text += u'\n' + shown;
    if (lines.size() > linesShown)
        text += u"\nو%1 غيرها."_s.arg(lines.size() - linesShown);
    controls::dialogs().message(text);
}

} // namespace

void tellOddValues(store::BookConnection& connection)
{
    // Values are met while lists paint and cursors move: they are gathered and told once the
    // event loop is free again, all in one box.
    auto waiting = std::make_shared<QStringList>();
    connection.setOddValueListener([waiting](const store::OddValue& value) {
        waiting->append(line(value));
        if (waiting->size() == 1)
            QTimer::singleShot(0, [waiting] { tell(std::exchange(*waiting, {})); });
    });
}
