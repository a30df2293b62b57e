#include "GridCells.h"

#include "IsolatedText.h"

#include <algorithm>

namespace controls {
namespace {

// Digits with their signs and the hours text's point, and nothing else.
bool isFigure(const QString& text)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return std::any_of(text.begin(), text.end(), digit)
           && std::all_of(text.begin(), text.end(), [&](QChar c) { return digit(c) || c == u'-' || c == u'+' || c == u'.'; });
}

} // namespace

QString GridCells::displayText(const QVariant& value, const QLocale& locale) const
{
    const QString text = QStyledItemDelegate::displayText(value, locale);
    if (text.isEmpty())
        return text;
    // Isolated: the cell's own reading order would otherwise carry a sign to the far end.
    return isFigure(text) ? isolatedLeftToRight(text) : isolated(text);
}

} // namespace controls
