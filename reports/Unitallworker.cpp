#include "Unitallworker.h"

#include "DataModule.h"
#include "Guard.h"
#include "ReportColumns.h"
#include "Unitprint.h"

using namespace Qt::Literals::StringLiterals;

TFormAllWorker* FormAllWorker = nullptr;

TFormAllWorker::TFormAllWorker()
    : controls::WorkingWindow(u"FormAllWorker"_s, u"FormAllWorker"_s, QColor(0x00, 0x63, 0x93)),
      BitBtn1(addCloseButton())
{
    BitBtn2 = addPrintButton();
    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    DBGrid1 = new controls::DBGrid(Panel1, u"DBGrid1"_s, store::DataModule1->DataSourceM,
                                   workerTotalsColumns({195, 78, 64, 98, 64, 64, 64, 64, 143},
                                                       u"عدد الأيام المتجاوزة شهرياً"_s),
                                   {.readOnly = true});
    DBGrid1->setColour(QColor(0xF4, 0xFA, 0xFF));
    QFont cells = DBGrid1->font();
    cells.setPointSize(10);
    DBGrid1->setFont(cells);
    controls::connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormAllWorker::resizeEvent(QResizeEvent* event)
{
    controls::WorkingWindow::resizeEvent(event);
    Panel1->setGeometry(0, 0, width(), 385);
    DBGrid1->setGeometry(Panel1->rect());
}

void TFormAllWorker::BitBtn2Click()
{
    FormPrint->Preview(this);
}
