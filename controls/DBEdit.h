#pragma once

#include "DataLink.h"
#include "FieldLineEdit.h"

#include <string_view>

namespace store {
class DataSource;
class Field;
} // namespace store

namespace controls {

// A box bound to one field of the record its data source's cursor stands on. Typing, or
// text the program puts in, makes the record a pending change; the text goes into the
// field when the box is left after a change and, at the latest, when the record is posted.
// A text the field refuses keeps the focus in the box, all of it selected, and shows the
// field's message in the exception box.
class DBEdit : public FieldLineEdit, private store::DataLink {
    Q_OBJECT
public:
    DBEdit(QWidget* parent, const QString& objectName, store::DataSource& source, std::string_view fieldName);
    ~DBEdit() override;
    DBEdit(const DBEdit&) = delete;
    DBEdit& operator=(const DBEdit&) = delete;

    store::Field& field() const { return field_; }
    // Whether the box holds text not yet written into its field.
    bool changed() const { return changed_; }
    // Writes changed text into the field; throws StoreError when the field refuses it.
    void updateRecord();

signals:
    // The box was left and its text, if changed, is in its field. Not sent when the field
    // refused the text.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void recordChanged() override;
    void dataSetChanged() noexcept override;
    void fieldChanged(const store::Field& changedField) override;
    void updateData() override;

    void showField() noexcept;
    void textWasChanged();

    store::DataSource& source_;
    store::Field& field_;
    bool showing_ = false;
    bool changed_ = false;
};

} // namespace controls
