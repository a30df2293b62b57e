#include "DocumentPainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <optional>
#include <cmath>
#include <utility>
#include <vector>

namespace printing {
namespace {

constexpr double millimetresPerPoint = 25.4 / 72;
constexpr double hairline = 0.2; // in mm, a shape's outline

Qt::Alignment horizontal(TextAlignment alignment)
{
    // Absolute: a right-to-left painter would otherwise mirror left and right.
    switch (alignment) {
    case TextAlignment::Left:
        return Qt::AlignLeft | Qt::AlignAbsolute;
    case TextAlignment::Right:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case TextAlignment::Center:
        break;
    }
    return Qt::AlignHCenter;
}

QFont deviceFont(const ReportFont& wanted, double pixelsPerMillimetre, const QPaintDevice& device)
{
    QFont font(wanted.family);
    font.setBold(wanted.bold);
    // A point size that comes out at the right height on this device at this scale.
    const double pixels = wanted.points * millimetresPerPoint * pixelsPerMillimetre;
    font.setPointSizeF(std::max(0.5, pixels * 72.0 / device.logicalDpiY()));
    return font;
}

bool isHyphenRule(const QString& text)
{
    return text.size() > 1 && std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'-'; });
}

// The bar a hyphen shows, on the device, from the pen's point on the baseline: its length
// and height on the line, and its mean thickness.
struct HyphenBar {
    double advance = 0;
    QRectF ink;
    double thickness = 0;
};

HyphenBar hyphenBar(const QFont& font, const QPaintDevice& device)
{
    HyphenBar bar;
    bar.advance = QFontMetricsF(font, &device).horizontalAdvance(u'-');
    // The outline comes at the screen's resolution: scaled to the device's by the advances.
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("-"));
    const double screenAdvance = QFontMetricsF(font).horizontalAdvance(u'-');
    if (bar.advance <= 0 || screenAdvance <= 0)
        return bar;
    const double toDevice = bar.advance / screenAdvance;
    bar.ink = QTransform::fromScale(toDevice, toDevice).mapRect(glyph.boundingRect());
    double area = 0;
    for (const QPolygonF& outline : glyph.toFillPolygons()) {
        for (qsizetype i = 0; i < outline.size(); ++i) {
            const QPointF& a = outline[i];
            const QPointF& b = outline[(i + 1) % outline.size()];
            area += a.x() * b.y() - b.x() * a.y();
        }
    }
    bar.thickness = std::abs(area) / 2 * toDevice * toDevice / std::max(bar.ink.width(), 1e-9);
    return bar;
}

} // namespace

// A report uses a handful of fonts on a thousand pages: each is made, and its hyphen
// measured, once per device and scale.
struct DocumentPainter::DeviceFont {
    ReportFont wanted;
    double scale = 0;
    const QPaintDevice* device = nullptr;
    QFont font;
    std::optional<HyphenBar> bar;
};

namespace {

// One page on one device: the fonts made for it, and what is already drawn on it.
class PagePainting {
public:
    using Fonts = std::vector<DocumentPainter::DeviceFont>;

    PagePainting(QPainter& painter, const QTransform& toDevice, Fonts& fonts)
        : painter_(painter), toDevice_(toDevice), fonts_(fonts)
    {
    }

    void text(const PlacedText& text)
    {
        const QRectF box = toDevice_.mapRect(text.box);
        // White behind a text hides only what was drawn there before; on bare paper it would
        // cost an operation on every sheet and show nothing.
        if (!text.look.transparent && overlapsDrawn(box))
            painter_.fillRect(box, Qt::white);
        if (text.text.isEmpty())
            return;
        drawn_.push_back(box);
        DocumentPainter::DeviceFont& font = fontOf(text.font);
        painter_.setFont(font.font);
        painter_.setPen(text.font.colour);
        if (isHyphenRule(text.text))
            hyphenRule(text, box, font);
        else
            words(text, box);
    }

    void shape(const PlacedShape& shape)
    {
        const QRectF box = toDevice_.mapRect(shape.box);
        drawn_.push_back(box);
        painter_.setPen(QPen(Qt::black, std::max(1.0, hairline * toDevice_.m11())));
        painter_.setBrush(Qt::white);
        painter_.drawRect(box);
    }

private:
    bool overlapsDrawn(const QRectF& box) const
    {
        return std::any_of(drawn_.begin(), drawn_.end(), [&box](const QRectF& area) { return area.intersects(box); });
    }

    DocumentPainter::DeviceFont& fontOf(const ReportFont& wanted)
    {
        const double scale = toDevice_.m11();
        const QPaintDevice* device = painter_.device();
        for (DocumentPainter::DeviceFont& made : fonts_)
            if (made.wanted == wanted && made.scale == scale && made.device == device)
                return made;
        fonts_.push_back({wanted, scale, device, deviceFont(wanted, scale, *device), std::nullopt});
        return fonts_.back();
    }

    void words(const PlacedText& text, const QRectF& box)
    {
        painter_.setLayoutDirection(text.look.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        int flags = int(horizontal(text.look.alignment)) | Qt::AlignTop;
        if (text.look.wordWrap)
            flags |= Qt::TextWordWrap;
        // A box that cuts is cut by the painter itself, and only where the text runs past it:
        // a clip set around every text would be three operations on every line of the file.
        if (!text.look.clip)
            flags |= Qt::TextDontClip;
        painter_.drawText(box, flags, text.text);
    }

    // A rule typed as a run of hyphens is painted as the row of bars it shows, in one stroke:
    // as glyphs, a rule on every line of a thousand pages would be most of the file. Each bar
    // has the hyphen's length, its mean thickness and its height on the line.
    void hyphenRule(const PlacedText& text, const QRectF& box, DocumentPainter::DeviceFont& font)
    {
        if (!font.bar)
            font.bar = hyphenBar(font.font, *painter_.device());
        const HyphenBar& bar = *font.bar;
        if (bar.advance <= 0 || bar.ink.width() <= 0 || bar.thickness <= 0)
            return;
        const double run = bar.advance * double(text.text.size());
        double start = box.left();
        if (text.look.alignment == TextAlignment::Right)
            start = box.right() - run;
        else if (text.look.alignment == TextAlignment::Center)
            start = box.center().x() - run / 2;
        const double y = box.top() + QFontMetricsF(font.font, painter_.device()).ascent() + bar.ink.center().y();
        QPen bars(painter_.pen().color(), bar.thickness, Qt::CustomDashLine, Qt::FlatCap);
        bars.setDashPattern({bar.ink.width() / bar.thickness, (bar.advance - bar.ink.width()) / bar.thickness});
        painter_.setPen(bars);
        const QLineF line(QPointF(start + bar.ink.left(), y), QPointF(start + run - bar.advance + bar.ink.right(), y));
        const QRectF inked(line.x1(), y - bar.thickness / 2, line.dx(), bar.thickness);
        const bool cut = text.look.clip && !box.contains(inked);
        if (cut)
            painter_.setClipRect(box);
        painter_.drawLine(line);
        if (cut)
            painter_.setClipping(false);
    }

    QPainter& painter_;
    const QTransform& toDevice_;
    Fonts& fonts_;
    std::vector<QRectF> drawn_; // in device units
};

} // namespace

DocumentPainter::DocumentPainter(const Document& document) : document_(document)
{
}

DocumentPainter::~DocumentPainter() = default;

void DocumentPainter::paintPage(int n, QPainter& painter) const
{
    const DocumentPage& page = document_.pages.at(std::size_t(n));
    const QTransform toDevice = painter.worldTransform();
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(toDevice.mapRect(QRectF(QPointF(0, 0), document_.paper)), Qt::white);
    PagePainting sheet(painter, toDevice, fonts_);
    for (const PlacedItem& item : page.items()) {
        if (const auto* text = std::get_if<PlacedText>(&item))
            sheet.text(*text);
        else
            sheet.shape(std::get<PlacedShape>(item));
    }
    painter.restore();
}

} // namespace printing
