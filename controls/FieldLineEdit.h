#pragma once

#include <QLineEdit>

namespace store {
class Field;
}

namespace controls {

// A line of text that keeps to what its field can hold: a whole-number field takes only
// plus, minus and the digits (any other character beeps and is refused), a text field at
// most its size in characters, and an Auto field nothing at all.
class FieldLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldLineEdit(QWidget* parent);

    void keepToField(const store::Field& field);
    // Whether a key typing `typed` gets into a box kept to `field`; a refused one beeps.
    static bool takesTyping(const store::Field& field, const QString& typed);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool wholeNumbersOnly_ = false;
};

} // namespace controls
