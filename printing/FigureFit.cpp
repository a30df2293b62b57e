#include "FigureFit.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPair>

#include <algorithm>
#include <memory>

namespace printing {
namespace {

constexpr double millimetresPerPoint = 25.4 / 72;
constexpr double smallestShare = 0.5; // of the layout's size: smaller is no longer read at a glance
constexpr double measuredPixels = 1000; // a size large enough that hinting does not count
const QString unreadable = QStringLiteral("###");

// A face's metrics at a size large enough for hinting not to count, so paper and screen
// agree (to be scaled by the size wanted over measuredPixels), and the width of each text
// measured in it: a report prints the same few hundred figures and dates thousands of times,
// and shaping one anew each time was most of a summary's generation.
class Measured {
public:
    explicit Measured(const ReportFont& font) : metrics_(face(font)) {}

    const QFontMetricsF& metrics() const { return metrics_; }
    double width(const QString& text)
    {
        const auto known = widths_.constFind(text);
        if (known != widths_.constEnd())
            return *known;
        return widths_.insert(text, metrics_.horizontalAdvance(text)).value();
    }

private:
    static QFont face(const ReportFont& font)
    {
        QFont measured(font.family);
        measured.setBold(font.bold);
        measured.setPixelSize(int(measuredPixels));
        measured.setHintingPreference(QFont::PreferNoHinting);
        return measured;
    }

    QFontMetricsF metrics_;
    QHash<QString, double> widths_;
};

// One a face, for as long as the program runs; each thread that generates keeps its own.
Measured& measuredIn(const ReportFont& font)
{
    thread_local QHash<QPair<QString, bool>, std::shared_ptr<Measured>> faces;
    std::shared_ptr<Measured>& measured = faces[qMakePair(font.family, font.bold)];
    if (!measured)
        measured = std::make_shared<Measured>(font);
    return *measured;
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
    Measured& measured = measuredIn(font);
    const QFontMetricsF& metrics = measured.metrics();
    const double width = millimetres(measured.width(figure), font.points);
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

PlacedText placedRecordText(PlacedText box, const QString& text)
{
    box.text = text;
    const bool wholeNumber = isFigure(text);
    if (!wholeNumber && !isFigureText(text))
        return box;
    // Digits and their signs read left to right, even on a right-to-left page: "-2.-3", never "3-.2-".
    box.look.rightToLeft = false;
    // A figure, a date or an hours text has no space to wrap at: only its type can give way,
    // in a box that cuts, or one it would run past (a twelve-character date).
    if (box.look.clip || !wholeNumber) {
        FittedFigure fitted = fitFigure(text, box.font, box.box.width());
        box.text = std::move(fitted.text);
        box.font = std::move(fitted.font);
        box.box.setTop(std::min(box.box.bottom(), box.box.top() + fitted.lowerBy));
    }
    return box;
}

} // namespace printing
