#include "FigureFit.h"

#include <QFontMetricsF>

#include <algorithm>

namespace printing {
namespace {

constexpr double millimetresPerPoint = 25.4 / 72;
constexpr double smallestShare = 0.5; // of the layout's size: smaller is no longer read at a glance
constexpr double measuredPixels = 1000; // a size large enough that hinting does not count
const QString unreadable = QStringLiteral("###");

// The width in mm of `text` in `font` at its size, measured unhinted so paper and screen agree.
double widthOf(const QString& text, const ReportFont& font)
{
    QFont measured(font.family);
    measured.setBold(font.bold);
    measured.setPixelSize(int(measuredPixels));
    measured.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(measured).horizontalAdvance(text) / measuredPixels * font.points * millimetresPerPoint;
}

} // namespace

bool isFigure(const QString& text)
{
    const qsizetype digitsFrom = text.startsWith(u'-') ? 1 : 0;
    return text.size() > digitsFrom
           && std::all_of(text.begin() + digitsFrom, text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

FittedFigure fitFigure(const QString& figure, const ReportFont& font, double boxWidth)
{
    const double width = widthOf(figure, font);
    if (width <= boxWidth)
        return {figure, font};
    const double share = boxWidth / width;
    if (share < smallestShare)
        return {unreadable, font};
    ReportFont smaller = font;
    smaller.points = font.points * share * 0.98; // a hair under, so rounding on the device never cuts it
    return {figure, smaller};
}

} // namespace printing
