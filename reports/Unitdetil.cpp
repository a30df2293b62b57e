#include "Unitdetil.h"

#include "BuiltOnFirstNeed.h"
#include "DataModule.h"
#include "Guard.h"
#include "ReportColumns.h"
#include "Unitp2.h"

using namespace Qt::Literals::StringLiterals;

TFormDetil* FormDetil = nullptr;

namespace {

constexpr int entryGridTop = 220;
constexpr int entryGridHeight = 270;

controls::DBGrid* entryGrid(QWidget* panel, const QString& name, store::DataSource& entries, const QColor& titles,
                            std::vector<controls::GridColumn> columns, int right, int width)
{
    for (controls::GridColumn& column : columns)
        column.titleColour = titles;
    auto* grid = new controls::DBGrid(panel, name, entries, std::move(columns), {.readOnly = true});
    grid->setColour(QColor(0xF9, 0xF9, 0xF9));
    QFont small = grid->font();
    small.setPointSize(8);
    grid->setFont(small);
    grid->setGeometry(right - width, entryGridTop, width, entryGridHeight);
    return grid;
}

} // namespace

TFormDetil::TFormDetil()
    : controls::WorkingWindow(u"FormDetil"_s, u"FormDetil"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
    BitBtn2 = addPrintButton();
    Panel1 = controls::makePanel(this, u"Panel1"_s, QColor(0x00, 0x80, 0xC0));
    Panel1->resize(700, 500);
    keepCentred(Panel1);

    store::TDataModule1& book = *store::DataModule1;
    DBGrid6 = new controls::DBGrid(Panel1, u"DBGrid6"_s, book.DataSourceM,
                                   workerTotalsColumns({118, 64, 64, 64, 64, 64, 64, 64, 64}, u"التجاوز"_s),
                                   {.readOnly = true});
    DBGrid6->setColour(QColor(0xF4, 0xFA, 0xFF));
    QFont cells = DBGrid6->font();
    cells.setPointSize(10);
    DBGrid6->setFont(cells);
    DBGrid6->setGeometry(3, 3, 693, 214);

    // From the panel's right edge: administrative, hourly, sick, unpaid.
    DBGrid2 = entryGrid(Panel1, u"DBGrid2"_s, book.DataSourcePermitAdmin, QColor(0x80, 0x00, 0x00),
                        {{"AdministrationPermit", u"إ.إدارية"_s, 40, {}, {}, {}},
                         {"ExcessMonth", u"التجاوز"_s, {}, {}, {}, {}},
                         {"Date", u"التاريخ"_s, 63, {}, {}, {}}},
                        697, 190);
    DBGrid5 = entryGrid(Panel1, u"DBGrid5"_s, book.DataSourcePermitHours, QColor(0x00, 0x80, 0x00),
                        {{"HorsPermit", u"إ.ساعية"_s, 47, {}, {}, {}}, {"Date", u"التاريخ"_s, 72, {}, {}, {}}},
                        504, 165);
    DBGrid4 = entryGrid(Panel1, u"DBGrid4"_s, book.DataSourcePermitHealth, QColor(0x80, 0x00, 0x80),
                        {{"HealthPermit", u"إ.صحية"_s, 54, {}, {}, {}}, {"Date", u"التاريخ"_s, 66, {}, {}, {}}},
                        336, 165);
    DBGrid3 = entryGrid(Panel1, u"DBGrid3"_s, book.DataSourcePermitNoHire, QColor(0x00, 0x00, 0x80),
                        {{"NoHire", u"إ.بلا اجر"_s, 48, {}, {}, {}}, {"Date", u"التاريخ"_s, 72, {}, {}, {}}},
                        168, 165);

    controls::connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormDetil::BitBtn2Click()
{
    controls::built(FormPrint1).Preview(this);
}
