#pragma once

#include "Schema.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace store {

class Cursor;

enum class FieldAlignment { Left, Right, Center };

// One field of the record a cursor stands on (or of its pending change). Reads never
// fail; every write needs the cursor to be inserting or editing and sets its changed flag.
class Field {
public:
    Field(Cursor& cursor, const FieldDef& definition, int position);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const std::string& Name() const { return name_; } // the cursor's name and the field's, e.g. TableMWorkerName
    std::string_view FieldName() const { return definition_.name; }
    FieldType DataType() const { return definition_.type; }
    int Size() const { return definition_.size; } // in characters, text fields only
    int position() const { return position_; }
    bool ReadOnly() const { return definition_.type == FieldType::AutoIncrement; }
    FieldAlignment Alignment() const { return alignment_; }
    void SetAlignment(FieldAlignment alignment) { alignment_ = alignment; }
    Cursor& DataSet() const { return cursor_; }

    bool IsNull() const;
    // An empty integer reads 0. REQUIRES: an integer field, or a text field holding a whole number.
    std::int32_t AsInteger() const;
    // Decimal digits for an integer ("-" when negative, nothing when empty); the stored text otherwise.
    std::string Text() const;
    std::string AsString() const { return Text(); }

    void SetAsInteger(std::int32_t value);
    // A wider number, such as a sum worked out in 64 bits, is refused with StoreError when it
    // lies outside the 32-bit range, and nothing is written.
    void SetAsInteger(std::int64_t value);
    // Integer field: "" empties it; a whole number is stored; anything else is refused with
    // "'%s' is not a valid integer value for field '%s'" and the field keeps its value.
    // Text field: stored cut to the field's size.
    void SetText(std::string_view text);
    void SetAsString(std::string_view text) { SetText(text); }
    void Clear();

private:
    Cursor& cursor_;
    const FieldDef& definition_;
    int position_;
    std::string name_;
    FieldAlignment alignment_;
};

} // namespace store
