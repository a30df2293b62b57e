#include "Unitallworker.h"

#include "BookExport.h"
#include "BuiltOnFirstNeed.h"
#include "DataModule.h"
#include "Dialogs.h"
#include "Guard.h"
#include "IsolatedText.h"
#include "ReportColumns.h"
#include "StandardPicture.h"
#include "WindowParts.h"
#include "Unitprint.h"
#include "Utf8Path.h"

using namespace Qt::Literals::StringLiterals;

TFormAllWorker* FormAllWorker = nullptr;

namespace {

constexpr int exportGap = 8; // in pixels, between the export and the print buttons

} // namespace

TFormAllWorker::TFormAllWorker()
    : controls::WorkingWindow(u"FormAllWorker"_s, u"FormAllWorker"_s, QColor(0x00, 0x63, 0x93)),
      BitBtn1(addCloseButton())
{
    BitBtn2 = addPrintButton();
    BitBtn3 = controls::makeButton(bottomBar(), u"BitBtn3"_s, u"تصدير"_s, QRect(0, BitBtn2->y(), 100, 25),
                                   controls::standardPicture(QStyle::SP_DialogSaveButton));
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
    controls::connectGuarded(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
}

void TFormAllWorker::resizeEvent(QResizeEvent* event)
{
    controls::WorkingWindow::resizeEvent(event);
    Panel1->setGeometry(0, 0, width(), 385);
    DBGrid1->setGeometry(Panel1->rect());
    BitBtn3->move(BitBtn2->x() - exportGap - BitBtn3->width(), BitBtn2->y());
}

void TFormAllWorker::BitBtn2Click()
{
    controls::built(FormPrint).Preview(this);
}

void TFormAllWorker::BitBtn3Click()
{
    const QString file = controls::dialogs().fileToSave(u"تصدير الملخص"_s, u"الإجازات.xlsx"_s, u"XLSX (*.xlsx)"_s);
    if (file.isEmpty())
        return;
    operations::exportBook(store::DataModule1->connection(), platform::utf8Path(file.toStdString()), false);
    controls::dialogs().message(u"صُدِّر ملخص العاملين إلى %1"_s.arg(controls::isolatedLeftToRight(file)));
}
