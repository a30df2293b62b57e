// The summary report as the clerk meets it, with the whole program built over a book of
// 10,000 or 100,000 workers: from the print button to the last page ready in the preview,
// beside generating the same report alone; the memory three previews in a row keep, and a
// generated summary's beside the same columns as plain strings; and both reports written to
// PDF, beside a bare QPdfWriter painting the same boxes.
#include "BuiltOnFirstNeed.h"
#include "CountedBoxes.h"
#include "DataModule.h"
#include "LargeBook.h"
#include "PagePrinting.h"
#include "PreviewWindow.h"
#include "ProgramObjects.h"
#include "ReportGenerator.h"
#include "Unitallworker.h"
#include "Unitp2.h"
#include "Unitprint.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace {

using namespace bench_book;
using Clock = std::chrono::steady_clock;

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

printing::PreviewWindow* openPreview()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* preview = qobject_cast<printing::PreviewWindow*>(window); preview && preview->isVisible())
            return preview;
    return nullptr;
}

// Presses the summary window's print button and closes the preview once its last page is
// ready; returns the seconds from the press to that moment.
double previewOnce()
{
    double ready = 0;
    const Clock::time_point start = Clock::now();
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        printing::PreviewWindow* preview = openPreview();
        if (!preview || !preview->generated())
            return;
        ready = std::chrono::duration<double>(Clock::now() - start).count();
        watch.stop();
        preview->close();
    });
    watch.start();
    QTest::mouseClick(FormAllWorker->BitBtn2, Qt::LeftButton); // returns when the preview is closed
    return ready;
}

// The whole program over the book, the summary window shown as the main window shows it.
struct Program {
    explicit Program(int count)
    {
        objects.build(largeBook(count));
        controls::built(FormAllWorker).show();
        QApplication::processEvents();
    }
    CountedBoxes boxes;
    ProgramObjects objects;
};

void SummaryPreview(benchmark::State& state)
{
    Program program(int(state.range(0)));
    const double before = residentMegabytes();
    double peak = before;
    for (auto _ : state) {
        state.SetIterationTime(previewOnce());
        peak = std::max(peak, residentMegabytes());
    }
    state.counters["grew_MB"] = peak - before;
}
BENCHMARK(SummaryPreview)->Arg(workers)->Arg(manyWorkers)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void SummaryGenerationAlone(benchmark::State& state)
{
    store::TDataModule1 book(largeBook(int(state.range(0))));
    store::DataModule1 = &book;
    TFormPrint layout;
    for (auto _ : state)
        benchmark::DoNotOptimize(printing::generateReport(layout.QuickRep1));
    store::DataModule1 = nullptr;
}
BENCHMARK(SummaryGenerationAlone)->Arg(workers)->Arg(manyWorkers)->Iterations(1)->Unit(benchmark::kMillisecond);

void MemoryKeptAfterThreePreviews(benchmark::State& state)
{
    Program program(int(state.range(0)));
    for (auto _ : state) {
        previewOnce();
        const double first = residentMegabytes();
        previewOnce();
        previewOnce();
        state.counters["after_first_MB"] = first;
        state.counters["kept_by_two_more_MB"] = residentMegabytes() - first;
    }
}
BENCHMARK(MemoryKeptAfterThreePreviews)->Arg(workers)->Iterations(1)->Unit(benchmark::kMillisecond);

// The two reports written to PDF: the summary of every worker, and the detailed report of
// the worker with 5,010 entries.
enum Report { Summary, Detailed };

printing::Document generated(Report report)
{
    if (report == Summary) {
        TFormPrint layout;
        return printing::generateReport(layout.QuickRep1);
    }
    store::DataModule1->TableM.FindKey(workers / 2);
    TFormPrint1 layout;
    return printing::generateReport(layout.QuickRep1);
}

void ReportToPdf(benchmark::State& state)
{
    store::TDataModule1 book(largeBook());
    store::DataModule1 = &book;
    QTemporaryDir folder;
    const double before = residentMegabytes();
    double peak = before;
    double generating = 0, painting = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const printing::Document document = generated(Report(state.range(0)));
        const Clock::time_point made = Clock::now();
        printing::writePdf(document, folder.filePath(QStringLiteral("report.pdf")));
        generating += std::chrono::duration<double, std::milli>(made - start).count();
        painting += std::chrono::duration<double, std::milli>(Clock::now() - made).count();
        peak = std::max(peak, residentMegabytes());
    }
    state.counters["generating_ms"] = benchmark::Counter(generating, benchmark::Counter::kAvgIterations);
    state.counters["painting_ms"] = benchmark::Counter(painting, benchmark::Counter::kAvgIterations);
    state.counters["grew_MB"] = peak - before;
    store::DataModule1 = nullptr;
}
BENCHMARK(ReportToPdf)->Arg(Summary)->Arg(Detailed)->ArgName("detailed")->Iterations(1)->Unit(benchmark::kMillisecond);

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// What a generated summary holds, beside the same columns of every worker held as plain strings.
void MemoryHeldByASummary(benchmark::State& state)
{
    const int count = int(state.range(0));
    store::TDataModule1 book(largeBook(count));
    store::DataModule1 = &book;
    TFormPrint layout;
    for (auto _ : state) {
        std::size_t before = heapInUse();
        const printing::Document document = printing::generateReport(layout.QuickRep1);
        const double held = double(heapInUse() - before);
        before = heapInUse();
        std::vector<std::string> columns;
        for (const printing::TQRBand& band : layout.QuickRep1.Bands)
            for (const printing::TQRElement& element : band.elements)
                if (const auto* data = std::get_if<printing::TQRDBText>(&element); data && band.BandType == printing::rbDetail)
                    columns.push_back(data->DataField);
        std::vector<std::vector<QString>> strings;
        strings.reserve(std::size_t(count));
        const store::ControlsDisabled quiet(book.TableM);
        book.TableM.First();
        do {
            std::vector<QString>& row = strings.emplace_back();
            row.reserve(columns.size());
            for (const std::string& column : columns)
                row.push_back(QString::fromStdString(book.TableM.FieldByName(column).Text()));
        } while (book.TableM.MoveBy(1) != 0);
        const double plain = double(heapInUse() - before);
        state.counters["held_KB_a_row"] = held / 1024 / count;
        state.counters["strings_KB_a_row"] = plain / 1024 / count;
        state.counters["ratio"] = held / plain;
    }
    store::DataModule1 = nullptr;
}
BENCHMARK(MemoryHeldByASummary)->Arg(workers)->Arg(manyWorkers)->Iterations(1)->Unit(benchmark::kMillisecond);

// The reference: the same boxes painted by a bare QPdfWriter loop, the document made beforehand
// and the book left open, as the program paints with it open.
void BarePdfPaintingOfTheSameBoxes(benchmark::State& state)
{
    store::TDataModule1 book(largeBook());
    store::DataModule1 = &book;
    const printing::Document document = generated(Report(state.range(0)));
    QTemporaryDir folder;
    for (auto _ : state) {
        QPdfWriter pdf(folder.filePath(QStringLiteral("bare.pdf")));
        pdf.setResolution(300);
        pdf.setPageLayout(printing::pageLayoutOf(document));
        QPainter painter(&pdf);
        const double scale = pdf.logicalDpiX() / 25.4;
        for (std::size_t n = 0; n < document.pages.size(); ++n) {
            if (n > 0)
                pdf.newPage();
            for (const printing::PlacedItem& item : document.pages[n].items()) {
                if (const auto* text = std::get_if<printing::PlacedText>(&item)) {
                    QFont font(text->font.family);
                    font.setBold(text->font.bold);
                    font.setPointSizeF(text->font.points);
                    painter.setFont(font);
                    const QRectF box(text->box.topLeft() * scale, text->box.size() * scale);
                    painter.drawText(box, Qt::AlignRight | Qt::AlignTop, text->text);
                } else {
                    const QRectF box = std::get<printing::PlacedShape>(item).box;
                    painter.drawRect(QRectF(box.topLeft() * scale, box.size() * scale));
                }
            }
        }
    }
    store::DataModule1 = nullptr;
}
BENCHMARK(BarePdfPaintingOfTheSameBoxes)->Arg(Summary)->Arg(Detailed)->ArgName("detailed")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
