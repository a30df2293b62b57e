#include "Dialogs.h"

#include "ClerkAction.h"
#include "ProgramTitle.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace controls {
namespace {

// A path (a left-to-right isolate holding a folder separator) stays whole on one line: a
// word joiner between its characters keeps the box from breaking it at a "/" or a "-".
QString unbrokenPaths(const QString& text)
{
    QString kept;
    QString isolate; // the left-to-right isolate being read, its opening mark included
    for (const QChar c : text) {
        if (c == QChar(0x2066) && isolate.isEmpty()) {
            isolate = c;
            continue;
        }
        if (isolate.isEmpty()) {
            kept += c;
            continue;
        }
        if (c != QChar(0x2069)) {
            isolate += c;
            continue;
        }
        if (isolate.contains(u'/') || isolate.contains(u'\\')) {
            kept += isolate.front();
            for (qsizetype i = 1; i < isolate.size(); ++i)
                kept += isolate.sliced(i, 1) + (i + 1 < isolate.size() ? QString(QChar(0x2060)) : QString());
        } else {
            kept += isolate;
        }
        kept += c;
        isolate.clear();
    }
    return kept + isolate;
}

class MessageBoxes final : public Dialogs {
public:
    void message(const QString& text) override { tell(QMessageBox::NoIcon, text); }
    void warning(const QString& text) override { tell(QMessageBox::Warning, text); }
    void exception(const QString& text) override { tell(QMessageBox::Critical, text); }
    bool confirmDelete() override
    {
        QMessageBox box(QMessageBox::Question, applicationTitle(), QStringLiteral("Delete record?"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
        return box.exec() == QMessageBox::Ok;
    }
    bool confirm(const QString& question) override
    {
        QMessageBox box(QMessageBox::Question, applicationTitle(), question, QMessageBox::Ok | QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    }
    QString fileToSave(const QString& title, const QString& suggested, const QString& filter) override
    {
        // A bare name is offered in the clerk's documents folder (the home folder where there is
        // none), not wherever the program was started.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString start = QFileInfo(suggested).isRelative()
                                  ? QDir(QDir(documents).exists() ? documents : QDir::homePath()).filePath(suggested)
                                  : suggested;
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, start, filter);
    }

private:
    // An Arabic text is laid out right to left, its icon at the right; an English one
    // (the platform's own messages) left to right.
    static void tell(QMessageBox::Icon icon, const QString& text)
    {
        QMessageBox box(icon, applicationTitle(), unbrokenPaths(text), QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(u"OK"_s); // the windows' boxes keep their one button as it reads
        box.setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
        box.exec();
    }
};

MessageBoxes realBoxes;
Dialogs* current = &realBoxes;

} // namespace

Dialogs& dialogs()
{
    return *current;
}

void setDialogs(Dialogs* replacement)
{
    current = replacement ? replacement : &realBoxes;
}

QString exceptionBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void reportException(const QString& message)
{
    reportException(message, ClerkAction::current());
}

void reportException(const QString& message, std::uint64_t action)
{
    static std::uint64_t boxed = 0; // the last action told of an error
    if (action != 0 && action == boxed)
        return;
    boxed = action;
    dialogs().exception(exceptionBoxText(message));
}

} // namespace controls
