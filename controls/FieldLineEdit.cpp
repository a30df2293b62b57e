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

bool refusesTyping(bool wholeNumbersOnly, const QString& typed)
{
    return wholeNumbersOnly && !typed.isEmpty() && typed.front().isPrint()
           && !std::all_of(typed.begin(), typed.end(), isWholeNumberCharacter);
}

} // namespace

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent)
{
}

void FieldLineEdit::keepToField(const store::Field& field)
{
    wholeNumbersOnly_ = field.DataType() != store::FieldType::Text;
    // A number is typed and read left to right, its sign first, even in a right-to-left
    // window; right-aligned as figures are, mirrored to the left edge in a right-to-left window.
    if (wholeNumbersOnly_) {
        const bool rightToLeft = parentWidget() && parentWidget()->isRightToLeft();
        setLayoutDirection(Qt::LeftToRight);
        setAlignment((rightToLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignAbsolute | Qt::AlignVCenter);
    } else {
        unsetLayoutDirection();
        // A right-aligned field (the worker's name) keeps to the right, a Latin name too;
        // otherwise the text keeps to the edge its own reading order starts from.
        setAlignment((field.Alignment() == store::FieldAlignment::Right ? Qt::AlignRight | Qt::AlignAbsolute
                                                                        : Qt::AlignLeading)
                     | Qt::AlignVCenter);
    }
    setMaxLength(field.DataType() == store::FieldType::Text ? field.Size() : 32767);
    setReadOnly(field.ReadOnly());
}

bool FieldLineEdit::takesTyping(const store::Field& field, const QString& typed)
{
    return !field.ReadOnly() && !refusesTyping(field.DataType() != store::FieldType::Text, typed);
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (refusesTyping(wholeNumbersOnly_, event->text())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace controls
