#include "Field.h"

#include "ArabicCodePage.h"
#include "Cursor.h"
#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"
#include "WholeNumber.h"

#include <limits>

namespace store {

Field::Field(Cursor& cursor, const FieldDef& definition, int position)
    : cursor_(cursor), definition_(definition), position_(position),
      name_(cursor.name() + std::string(definition.name)),
      alignment_(definition.type == FieldType::Text ? FieldAlignment::Left : FieldAlignment::Right)
{
}

bool Field::IsNull() const
{
    return std::holds_alternative<std::monostate>(cursor_.value(position_));
}

std::int32_t Field::AsInteger() const
{
    const FieldValue& value = cursor_.value(position_);
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    if (const auto* text = std::get_if<std::string>(&value)) {
        const auto number = parseWholeNumber(*text);
        if (!number)
            throw StoreError(notAWholeNumberForFieldMessage(*text, FieldName()));
        return *number;
    }
    return 0;
}

std::string Field::Text() const
{
    return valueText(cursor_.value(position_));
}

void Field::SetAsInteger(std::int32_t value)
{
    if (definition_.type == FieldType::Text)
        cursor_.assign(*this, fitTextToField(std::to_string(value), Size(), FieldName()));
    else
        cursor_.assign(*this, value);
}

void Field::SetAsInteger(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw StoreError(worded("Field", "العدد %1 خارج حدود الأعداد الصحيحة التي يتسع لها الحقل %2 (من %3 إلى %4)")
                             .arg(isolatedLeftToRight(std::to_string(value)))
                             .arg(isolatedLeftToRight(FieldName()))
                             .arg(isolatedLeftToRight("-2147483648"))
                             .arg(isolatedLeftToRight("2147483647")));
    SetAsInteger(std::int32_t(value));
}

void Field::SetText(std::string_view text)
{
    if (definition_.type == FieldType::Text) {
        cursor_.assign(*this, fitTextToField(text, Size(), FieldName()));
        return;
    }
    if (text.empty()) {
        cursor_.assign(*this, std::monostate());
        return;
    }
    const auto number = parseWholeNumber(text);
    if (!number)
        throw StoreError(notAWholeNumberForFieldMessage(text, FieldName()));
    cursor_.assign(*this, *number);
}

void Field::Clear()
{
    cursor_.assign(*this, std::monostate());
}

} // namespace store
