#pragma once

// The kinds of element the two printed layouts are made of.
#include "ReportLayout.h"

namespace layout_parts {

// A bold caption sized to its text, standing at its right edge.
printing::TQRLabel caption(const QString& name, const QString& text, printing::Box box, double points,
                           bool opaque);

// A line of hyphen-minus characters centred in its box, one line, transparent.
printing::TQRLabel dashedRule(const QString& name, int hyphens, printing::Box box, bool clipped);

// A fixed box with a signature caption, centred and word-wrapped, 16 pt, white behind it.
printing::TQRLabel wrappedSignature(const QString& name, const QString& text, printing::Box box);

// A fixed box, white behind it, in the report's font, showing one field of a cursor.
printing::TQRDBText field(const QString& name, store::Cursor& cursor, const char* fieldName, printing::Box box,
                          printing::TextAlignment alignment, bool wordWrap);

printing::ReportFont boldFont(double points);

} // namespace layout_parts
