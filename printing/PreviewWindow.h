#pragma once

#include "Document.h"
#include "ReportGenerator.h"

#include <QPrinter>
#include <QWidget>

#include <functional>

class QLabel;
class QScrollArea;
class QAction;

namespace printing {

class PageView;

// Generates the report, from the cursors, as often as the preview needs it.
using Generate = std::function<Document(const Progress&)>;
// Shows an error a command of the preview ran into; the preview carries on.
using ShowError = std::function<void(const QString&)>;

// The print preview: the generated pages, one at a time, with zoom, page keys, a status
// line, printer setup and print, save and load of a generated report, and PDF export.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    enum class Zoom { WholePage, Actual, PageWidth };

    // A window of its own over `owner`, so a modal owner does not block it.
    PreviewWindow(QWidget* owner, Generate generate, ShowError showError);
    ~PreviewWindow() override;

    // Generates the document, telling the progress in the status line; cancelled by the
    // clerk, the preview closes. Throws what generation throws.
    void generate();
    bool generated() const { return generated_; }
    const Document& document() const { return document_; }

    int pageNumber() const { return page_ + 1; } // from 1
    int pageCount() const { return int(document_.pages.size()); }
    void showPage(int number); // kept within the document
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();

    Zoom zoom() const { return zoom_; }
    void setZoom(Zoom zoom);
    double pixelsPerMillimetre() const;
    QString statusText() const;

    QPrinter& printer() { return printer_; }
    void printerSetup();
    // Prints the pages the printer is set to of the document shown, in the layout's
    // orientation and as many copies as set. Shows the progress in a window "Printing progress".
    void print();
    void saveTo(const QString& path) const;
    // Throws SavedReportError and keeps the document shown when the file is refused.
    void loadFrom(const QString& path);
    // Each shows its progress once it lasts, and stops cleanly on Cancel or Escape:
    // nothing printed, no file written.
    void exportPdf(const QString& path);

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void run(const std::function<void()>& command);
    void showCurrent();
    void setBusy(bool busy);

    Generate generate_;
    ShowError showError_;
    Document document_;
    bool generated_ = false;
    bool loaded_ = false; // shown from a file rather than from the cursors
    int page_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    QPrinter printer_;
    QScrollArea* scroll_;
    PageView* view_;
    QLabel* status_;
    QString progressText_;
    std::vector<QAction*> needsGeneration_;
};

} // namespace printing
