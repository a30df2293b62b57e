#include "FigureFit.h"

#include <QFontMetricsF>

#include <algorithm>

namespace printing {
namespace {

constexpr double millimetresPerPoint = 25.4 / 72;
constexpr double smallestShare = 0.5; // of the layout's size: smaller is no longer read at a glance
constexpr double measuredPixels = 1000; // a size large enough that hinting does not count
const QString unreadable = QStringLiteral("###");

// The font's metrics at a size large enough for hinting not to count, so paper and screen
// agree; to be scaled by the size wanted over measuredPixels.
QFontMetricsF metricsOf(const ReportFont& font)
{
    QFont measured(font.family);
    measured.setBold(font.bold);
    measured.setPixelSize(int(measuredPixels));
    measured.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(measured);
}

double millimetres(double measured, double points)
{
    return measured / measuredPixels * points * millimetresPerPoint;
}

} // namespace

bool isFigure(const QString& text)
{
    const qsizetype digitsFrom = text.startsWith(u'-') ? 1 : 0;
    return text.size() > digitsFrom
           && std::all_of(text.begin() + digitsFrom, text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isFigureText(const QString& text)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return std::any_of(text.begin(), text.end(), digit) && std::all_of(text.begin(), text.end(), [&](QChar c) {
               return digit(c) || c == u'-' || c == u'+' || c == u'.' || c == u'/';
           });
}

FittedFigure fitFigure(const QString& figure, const ReportFont& font, double boxWidth)
{
    const QFontMetricsF metrics = metricsOf(font);
    const double width = millimetres(metrics.horizontalAdvance(figure), font.points);
    if (width <= boxWidth)
        return {figure, font};
    const double share = boxWidth / width;
    if (share < smallestShare)
        return {unreadable, font};
    ReportFont smaller = font;
    smaller.points = font.points * share * 0.98; // a hair under, so rounding on the device never cuts it
    const double lowerBy = millimetres(metrics.ascent(), font.points) - millimetres(metrics.ascent(), smaller.points);
    return {figure, smaller, lowerBy};
}

} // namespace printing
