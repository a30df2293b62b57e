#pragma once

#include "PreviewWindow.h"
#include "ReportLayout.h"

#include <QPointer>

namespace printing {

// Opens a report's preview and waits for it, one preview at a time.
class ReportPreviewer {
public:
    explicit ReportPreviewer(const TQuickRep& report) : report_(report) {}

    // Generates the report into a preview over `owner` (maximised, on page 1, zoomed to the
    // page width) and returns once the preview is closed; events go on meanwhile. While a
    // preview is open, brings it to the front and returns at once. Throws what generation
    // throws, with the preview gone.
    void Preview(QWidget* owner, const ShowError& showError);
    PreviewWindow* openPreview() const { return open_; }

private:
    const TQuickRep& report_;
    QPointer<PreviewWindow> open_;
};

} // namespace printing
