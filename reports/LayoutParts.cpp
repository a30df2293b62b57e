#include "LayoutParts.h"

namespace layout_parts {

printing::ReportFont boldFont(double points)
{
    printing::ReportFont font;
    font.points = points;
    font.bold = true;
    return font;
}

printing::TQRLabel caption(const QString& name, const QString& text, printing::Box box, double points, bool opaque)
{
    printing::TextLook look;
    look.font = boldFont(points);
    look.alignment = printing::TextAlignment::Right;
    look.autoSize = true;
    look.transparent = !opaque;
    return printing::TQRLabel{name, text, box, look};
}

printing::TQRLabel dashedRule(const QString& name, int hyphens, printing::Box box, bool clipped)
{
    printing::TextLook look;
    look.font = boldFont(14);
    look.alignment = printing::TextAlignment::Center;
    look.transparent = true;
    look.clip = clipped;
    return printing::TQRLabel{name, QString(hyphens, u'-'), box, look};
}

printing::TQRLabel wrappedSignature(const QString& name, const QString& text, printing::Box box)
{
    printing::TextLook look;
    look.font = boldFont(16);
    look.alignment = printing::TextAlignment::Center;
    look.wordWrap = true;
    look.clip = true;
    return printing::TQRLabel{name, text, box, look};
}

printing::TQRDBText field(const QString& name, store::Cursor& cursor, const char* fieldName, printing::Box box,
                          printing::TextAlignment alignment, bool wordWrap)
{
    printing::TextLook look;
    look.alignment = alignment;
    look.wordWrap = wordWrap;
    look.clip = true; // a fixed box never grows: what does not fit is cut at its edge
    return printing::TQRDBText{name, &cursor, fieldName, box, look};
}

} // namespace layout_parts
