#include "GridCells.h"

#include "IsolatedText.h"

#include <algorithm>

namespace controls {
namespace {

bool isWholeNumber(const QString& text)
{
    const qsizetype digitsFrom = text.startsWith(u'-') ? 1 : 0;
    return text.size() > digitsFrom
           && std::all_of(text.begin() + digitsFrom, text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString GridCells::displayText(const QVariant& value, const QLocale& locale) const
{
    const QString text = QStyledItemDelegate::displayText(value, locale);
    if (!isWholeNumber(text))
        return text;
    // Isolated left to right: the cell's reading order would otherwise put the sign last.
    return isolatedLeftToRight(text);
}

} // namespace controls
