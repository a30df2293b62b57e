#include "Unitallworkerchang.h"

#include "ActionOnBook.h"
#include "DataModule.h"
#include "Guard.h"
#include "WindowParts.h"

#include <QCloseEvent>

using namespace Qt::Literals::StringLiterals;

TFormAllWorkerChang* FormAllWorkerChang = nullptr;

namespace {

std::vector<controls::GridColumn> workerColumns()
{
    const QColor titles(Qt::blue);
    return {
        {"WorkerName", u"اسم العامل"_s, 195, QColor(0xFF, 0xF0, 0xF0), titles, store::FieldAlignment::Left},
        {"ServesYears", u"سنوات الخدمة"_s, std::nullopt, QColor(0xFF, 0xFF, 0xF0), titles, std::nullopt},
        {"ServesStart", u"بداية الخدمة"_s, 65, QColor(0xE8, 0xFF, 0xE8), titles, std::nullopt},
        {"YearPermit", u"الإستحقاق السنوي"_s, std::nullopt, QColor(0xEA, 0xFF, 0xFF), titles, std::nullopt},
    };
}

} // namespace

TFormAllWorkerChang::TFormAllWorkerChang()
    : controls::WorkingWindow(u"FormAllWorkerChang"_s, u"FormAllWorkerChang"_s, QColor(0x00, 0x63, 0x93)),
      BitBtn1(addCloseButton()), FormWorkerHistory(std::make_unique<TFormWorkerHistory>())
{
    BitBtn3 = addRightEndButton(u"BitBtn3"_s, u"السجل"_s, 100, QStyle::SP_FileDialogContentsView);
    controls::connectGuarded(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->resize(472, 285);
    keepCentred(Panel1);

    store::DataSource& workers = store::DataModule1->DataSourceM;
    DBNavigator1 = new controls::DBNavigator(Panel1, u"DBNavigator1"_s, workers);
    DBNavigator1->setGeometry(0, 0, 472, 21);
    DBGrid1 = new controls::DBGrid(Panel1, u"DBGrid1"_s, workers, workerColumns(), {});
    DBGrid1->setGeometry(0, 21, 472, 264);
    DBGrid1->setColour(QColor(0xF4, 0xFA, 0xFF));
    QFont cells(u"MS Sans Serif"_s);
    cells.setPixelSize(13);
    DBGrid1->setFont(cells);
    QWidget::setTabOrder(DBGrid1, BitBtn1);
    QWidget::setTabOrder(BitBtn1, BitBtn3);
}

void TFormAllWorkerChang::BitBtn3Click()
{
    // A correction typed is stored first, so the history shows it.
    store::Cursor& workers = store::DataModule1->TableM;
    workers.CheckBrowseMode();
    if (workers.IsEmpty())
        return;
    FormWorkerHistory->showWorker(store::DataModule1->TableMAuto.AsInteger(),
                                  QString::fromStdString(store::DataModule1->TableMWorkerName.AsString()));
    controls::showModally(*FormWorkerHistory);
}

void TFormAllWorkerChang::showEvent(QShowEvent* event)
{
    // Whatever the grid and the navigator store while the window is open is a correction.
    store::DataModule1->connection().setAction(std::string(store::bookAction::correction));
    controls::WorkingWindow::showEvent(event);
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormAllWorkerChang::closeEvent(QCloseEvent* event)
{
    // A correction typed here is stored when the window closes, not lost at program end;
    // a new row with nothing typed is dropped. If it cannot be stored the window stays open.
    const bool settled = controls::guarded([] { store::DataModule1->TableM.CheckBrowseMode(); });
    if (!settled) {
        event->ignore();
        return;
    }
    controls::WorkingWindow::closeEvent(event);
}

void TFormAllWorkerChang::hideEvent(QHideEvent* event)
{
    store::DataModule1->connection().setAction(std::string(store::bookAction::program));
    controls::WorkingWindow::hideEvent(event);
}
