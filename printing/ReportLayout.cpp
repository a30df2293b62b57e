#include "ReportLayout.h"

namespace printing {

QSizeF PageSettings::paperSize() const
{
    const QSizeF portrait = QPageSize(paper).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

} // namespace printing
