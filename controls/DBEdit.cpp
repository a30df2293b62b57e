#include "DBEdit.h"

#include "Cursor.h"
#include "DataSource.h"
#include "Guard.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace controls {

DBEdit::DBEdit(QWidget* parent, const QString& objectName, store::DataSource& source, std::string_view fieldName)
    : FieldLineEdit(parent), source_(source), field_(source.DataSet().FieldByName(fieldName))
{
    setObjectName(objectName);
    keepToField(field_);
    source_.addLink(*this);
    showField();
    connect(this, &QLineEdit::textChanged, this, [this] { guarded([this] { textWasChanged(); }); });
}

DBEdit::~DBEdit()
{
    source_.removeLink(*this);
}

void DBEdit::showField() noexcept
{
    showing_ = true;
    setText(QString::fromStdString(field_.Text()));
    showing_ = false;
    changed_ = false;
}

void DBEdit::textWasChanged()
{
    if (showing_)
        return;
    store::Cursor& cursor = source_.DataSet();
    if (cursor.State() == store::CursorState::Browsing) {
        // Beginning the change re-reads the record into the box; the new text is put back after.
        const QString typed = text();
        const int caret = cursorPosition();
        try {
            cursor.Edit();
        } catch (...) {
            showField();
            throw;
        }
        showing_ = true;
        setText(typed);
        setCursorPosition(caret);
        showing_ = false;
    }
    changed_ = true;
}

void DBEdit::updateRecord()
{
    if (!changed_)
        return;
    field_.SetText(text().toStdString());
    changed_ = false;
}

void DBEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        showField();
        selectAll();
        event->accept();
        return;
    }
    FieldLineEdit::keyPressEvent(event);
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    FieldLineEdit::focusOutEvent(event);
    // Another window coming to the front, or a menu opening, is not leaving the box.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    try {
        updateRecord();
    } catch (...) {
        setFocus(Qt::OtherFocusReason);
        selectAll();
        reportCurrentException();
        return;
    }
    emit exited();
}

void DBEdit::recordChanged()
{
    showField();
}

void DBEdit::dataSetChanged() noexcept
{
    showField();
}

void DBEdit::fieldChanged(const store::Field& changedField)
{
    if (&changedField == &field_)
        showField();
}

void DBEdit::updateData()
{
    updateRecord();
}

} // namespace controls
