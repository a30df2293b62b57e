#include "Unitcloseyear.h"

#include "BookFolders.h"
#include "Clock.h"
#include "DataModule.h"
#include "Dialogs.h"
#include "GridCells.h"
#include "GridTitles.h"
#include "Guard.h"
#include "IsolatedText.h"
#include "KeyPressHandlers.h"
#include "WindowParts.h"
#include "YearClose.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QShowEvent>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

TFormCloseYear* FormCloseYear = nullptr;

namespace {

std::filesystem::path archives()
{
    return operations::archivesBeside(store::DataModule1->connection().dataRoot());
}

} // namespace

TFormCloseYear::TFormCloseYear()
    : controls::WorkingWindow(u"FormCloseYear"_s, u"FormCloseYear"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
    BitBtn2 = addRightEndButton(u"BitBtn2"_s, u"إقفال السنة"_s, 100, QStyle::SP_DialogSaveButton);
    Panel1 = controls::makePanel(this, u"Panel1"_s, QColor(0x00, 0x80, 0xC0));
    Panel1->resize(760, 420);
    keepCentred(Panel1);
    Label1 = new QLabel(u"السنة التي تُقفَل"_s, Panel1);
    Label1->setObjectName(u"Label1"_s);
    Label1->setStyleSheet(u"color: white;"_s);
    Label1->adjustSize();
    Label1->move(Panel1->width() - 10 - Label1->width(), 12);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setMaxLength(4);
    Edit1->setGeometry(Label1->x() - 8 - 60, 9, 60, 21);
    Grid1 = new QTableView(Panel1);
    Grid1->setObjectName(u"Grid1"_s);
    Plan1 = new YearClosePlan(Grid1);
    Grid1->setModel(Plan1);
    Grid1->setHorizontalHeader(new controls::GridTitles(Grid1)); // a long title keeps its beginning
    Grid1->setItemDelegate(new controls::GridCells(Grid1)); // figures and hours texts sign first
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->verticalHeader()->hide();
    Grid1->setGeometry(5, 40, Panel1->width() - 10, Panel1->height() - 45);

    controls::setTabChain({Edit1, Grid1, BitBtn1, BitBtn2});
    auto* keyPresses = new controls::KeyPressHandlers(this);
    keyPresses->on(Edit1, [this](QChar key) { Edit1KeyPress(key); });
    controls::connectGuarded(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    controls::connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormCloseYear::showEvent(QShowEvent* event)
{
    controls::WorkingWindow::showEvent(event);
    if (!event->spontaneous())
        runShowHandler([this] { FormShow(); });
}

void TFormCloseYear::FormShow()
{
    const QString proposed =
        QString::number(operations::yearToClose(store::DataModule1->connection(), controls::today().year(), archives()));
    const bool unchanged = Edit1->text() == proposed;
    Edit1->setText(proposed); // a year changed reads its plan (Edit1Change), once
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
    if (unchanged)
        Edit1Change(); // the book may have changed since the window last showed
}

int TFormCloseYear::chosenYear() const
{
    bool number = false;
    const int year = Edit1->text().toInt(&number);
    return number && Edit1->text().size() == 4 ? year : 0;
}

void TFormCloseYear::Edit1Change()
{
    const int year = chosenYear();
    Plan1->show(year == 0 ? std::vector<operations::YearCloseRow>()
                          : operations::planYearClose(store::DataModule1->connection(), year),
                year);
    if (year == 0)
        return;
    // Each column as wide as its title and its widest figure: nothing cut.
    Grid1->horizontalHeader()->setStretchLastSection(false);
    const int padding = 2 * Grid1->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, Grid1) + 8;
    QFont titles = Grid1->horizontalHeader()->font();
    titles.setBold(true); // room for a title the style paints bold
    for (int column = 0; column < Plan1->columnCount(); ++column)
        Grid1->setColumnWidth(column, Plan1->neededWidth(column, Grid1->fontMetrics(), QFontMetrics(titles)) + padding);
    fitPanel();
}

void TFormCloseYear::fitPanel()
{
    constexpr int narrowest = 760, margin = 5;
    int needed = 2 * Grid1->frameWidth() + Grid1->verticalScrollBar()->sizeHint().width() + 2 * margin;
    for (int column = 0; column < Plan1->columnCount(); ++column)
        needed += Grid1->columnWidth(column);
    // Every column in sight where the screen has room; beyond it the grid scrolls, every column whole.
    const int panelWidth = std::clamp(needed, narrowest, std::max(narrowest, width() - 2 * margin));
    Panel1->resize(panelWidth, Panel1->height());
    Panel1->move((width() - panelWidth) / 2, Panel1->y());
    Label1->move(panelWidth - 10 - Label1->width(), Label1->y());
    Edit1->move(Label1->x() - 8 - Edit1->width(), Edit1->y());
    Grid1->resize(panelWidth - 2 * margin, Grid1->height());
    Grid1->horizontalHeader()->setStretchLastSection(needed <= panelWidth); // the note takes what is left, if anything
}

void TFormCloseYear::Edit1KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(BitBtn2);
}

void TFormCloseYear::BitBtn2Click()
{
    const int year = chosenYear();
    const int thisYear = controls::today().year();
    const auto refuse = [this](const QString& why) {
        controls::dialogs().message(why);
        Edit1->setFocus(Qt::OtherFocusReason); // back where the clerk mends the year
        Edit1->selectAll();
    };
    if (year == 0)
        return refuse(u"اكتب السنة التي تُقفل بأرقامها الأربعة."_s);
    if (const auto refusal = operations::yearCloseRefusal(store::DataModule1->connection(), year, thisYear, archives()))
        return refuse(QString::fromStdString(*refusal));
    if (!controls::dialogs().confirm(
            u"إقفال سنة %1؟ يُحفظ الدفتر كما هو في أرشيف تلك السنة، ثم تُفرَّغ الإجازات وتبدأ المجاميع من جديد."_s.arg(year)))
        return;
    store::TDataModule1& book = *store::DataModule1;
    book.TableM.CheckBrowseMode(); // a change still pending belongs to the year being closed
    const std::filesystem::path archive = operations::closeYear(book.connection(), year, thisYear, archives());
    // The cursors read the book as it now is: the same workers, their entries gone.
    for (store::Cursor* cursor : book.cursors())
        cursor->Refresh();
    controls::dialogs().message(u"أُقفلت سنة %1، وحُفظ أرشيفها في %2"_s.arg(year).arg(
        controls::isolatedLeftToRight(QString::fromStdString(archive.string()))));
    close();
}
