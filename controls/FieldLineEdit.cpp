#include "FieldLineEdit.h"

#include "Field.h"

#include <QApplication>
#include <QKeyEvent>

namespace controls {
namespace {

bool isWholeNumberCharacter(QChar character)
{
    return character == u'+' || character == u'-' || (character >= u'0' && character <= u'9');
}

} // namespace

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent)
{
}

void FieldLineEdit::keepToField(const store::Field& field)
{
    wholeNumbersOnly_ = field.DataType() != store::FieldType::Text;
    setMaxLength(field.DataType() == store::FieldType::Text ? field.Size() : 32767);
    setReadOnly(field.ReadOnly());
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (wholeNumbersOnly_ && !typed.isEmpty() && typed.front().isPrint()
        && !std::all_of(typed.begin(), typed.end(), isWholeNumberCharacter)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace controls
