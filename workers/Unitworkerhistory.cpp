#include "Unitworkerhistory.h"

#include "BookHistory.h"
#include "DataModule.h"
#include "GridCells.h"
#include "GridTitles.h"
#include "IsolatedText.h"
#include "WindowParts.h"

#include <QHeaderView>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList titles = {u"الوقت"_s, u"ما غيّره"_s, u"ما تغيّر"_s, u"قبل"_s, u"بعد"_s, u"من"_s};

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

} // namespace

TFormWorkerHistory::TFormWorkerHistory()
    : controls::WorkingWindow(u"FormWorkerHistory"_s, u"FormWorkerHistory"_s, QColor(0x00, 0x63, 0x93)),
      BitBtn1(addCloseButton())
{
    Panel1 = controls::makePanel(this, u"Panel1"_s, QColor(0x00, 0x80, 0xC0));
    Panel1->resize(760, 420);
    keepCentred(Panel1);
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(u"Label1"_s);
    Label1->setStyleSheet(u"color: white;"_s);
    Label1->setGeometry(10, 8, Panel1->width() - 20, 24);
    Grid1 = new QTableWidget(0, int(titles.size()), Panel1);
    Grid1->setObjectName(u"Grid1"_s);
    Grid1->setHorizontalHeader(new controls::GridTitles(Grid1));
    Grid1->setHorizontalHeaderLabels(titles);
    Grid1->setItemDelegate(new controls::GridCells(Grid1));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->verticalHeader()->hide();
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Grid1->setGeometry(5, 40, Panel1->width() - 10, Panel1->height() - 45);
    controls::setTabChain({Grid1, BitBtn1});
}

void TFormWorkerHistory::showWorker(std::int64_t worker, const QString& name)
{
    Label1->setText(u"سجل تغييرات العامل %1 %2"_s.arg(worker).arg(controls::isolated(name)));
    operations::HistoryFilter filter;
    filter.worker = worker;
    const std::vector<operations::HistoryEntry> history = operations::readHistory(store::DataModule1->connection(), filter);
    Grid1->setRowCount(0);
    Grid1->setRowCount(int(history.size()));
    for (int row = 0; row < int(history.size()); ++row) {
        const operations::HistoryEntry& entry = history[std::size_t(row)];
        const bool mark = entry.change == "mark";
        const QStringList cells = {controls::isolatedLeftToRight(text(operations::localTimeText(entry.at))),
                                   text(operations::actionWords(entry)),
                                   text(operations::fieldWords(entry)),
                                   mark ? QString() : text(operations::valueWords(entry.before)),
                                   mark ? QString() : text(operations::valueWords(entry.after)),
                                   text(entry.who)};
        for (int column = 0; column < cells.size(); ++column)
            Grid1->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    Grid1->resizeColumnsToContents();
    if (!history.empty())
        Grid1->setCurrentCell(0, 0);
    Grid1->setFocus(Qt::OtherFocusReason);
}
