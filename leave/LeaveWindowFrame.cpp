#include "LeaveWindowFrame.h"

#include "Clock.h"
#include "DataModule.h"
#include "Dialogs.h"
#include "Guard.h"
#include "KeyPressHandlers.h"
#include "Pictures.h"

#include <QFocusEvent>

using namespace Qt::Literals::StringLiterals;
using controls::connectGuarded;

namespace {

const QColor panelColour(0x00, 0x80, 0xC0);
const QString incompleteEntry = u"المعلومات غير مكتملة ؟؟ الرجاء اعادة كتابة المعلومات."_s;
const QString chosenWorkerGone =
    u"العامل المختار لم يعد في الدفتر: حذفه برنامج آخر. لم يُسجَّل شيء، فاختر العامل من القائمة من جديد."_s;

constexpr int stripHeight = 32;
constexpr int boxHeight = 21;
constexpr int gap = 5; // in pixels, between neighbours in the input strip

void colourBox(QLineEdit* box, const QColor& colour)
{
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, colour);
    box->setPalette(colours);
}

} // namespace

TLeaveWindowFrame::TLeaveWindowFrame(const QString& objectName, Amounts amounts)
    : controls::WorkingWindow(objectName, objectName, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
    BitBtn2 = addSaveButton();

    Panel1 = controls::makePanel(this, u"Panel1"_s, panelColour);
    Panel1->resize(483, 285);
    keepCentred(Panel1);
    Panel3 = controls::makePanel(Panel1, u"Panel3"_s, panelColour);
    Panel3->setGeometry(0, 0, Panel1->width(), stripHeight);

    DBGrid1 = new controls::DBGrid(Panel1, u"DBGrid1"_s, store::DataModule1->DataSourceMWN,
                                   {{"WorkerName", u"اسم العامل"_s, 195, QColor(0xFF, 0xF0, 0xF0), Qt::blue, {}}},
                                   {.readOnly = true, .wholeRows = true});
    DBGrid1->setColour(QColor(0xF4, 0xFA, 0xFF));
    DBGrid1->setGeometry(Panel1->width() - 215 - gap, stripHeight, 215, 251);

    const QImage picture = controls::picture(controls::Picture::LeaveWindow);
    Image1 = controls::makePicture(Panel1, u"Image1"_s, picture,
                                   QPoint(2 * gap + 20, stripHeight + (251 - picture.height()) / 2));

    const bool hourly = amounts == Amounts::HoursAndMinutes;
    Edit1 = box(u"Edit1"_s, 169);
    Edit1->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter); // a name, Latin too, keeps right
    Edit2 = box(u"Edit2"_s, 41);
    Label2 = new QLabel(hourly ? u"ساعة"_s : u"يوم"_s, Panel3);
    Label2->setObjectName(u"Label2"_s);
    if (hourly) {
        Edit3 = box(u"Edit3"_s, 41);
        Label1 = new QLabel(u"دقيقة"_s, Panel3);
        Label1->setObjectName(u"Label1"_s);
    }
    Label3 = new QLabel(u"التاريخ"_s, Panel3);
    Label3->setObjectName(u"Label3"_s);
    Label3->setStyleSheet(u"color: white;"_s);
    Edit4 = box(u"Edit4"_s, 22);
    Edit5 = box(u"Edit5"_s, 22);
    colourBox(Edit5, QColor(0xD5, 0xD5, 0xFF));
    Edit6 = box(u"Edit6"_s, 34);
    colourBox(Edit6, QColor(0xE0, 0xF5, 0xF2));
    layOutStrip();

    controls::setTabChain({DBGrid1, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, BitBtn1, BitBtn2});

    Edit1->installEventFilter(this);
    auto* keyPresses = new controls::KeyPressHandlers(this);
    keyPresses->on(Edit1, [this](QChar key) { Edit1KeyPress(key); });
    keyPresses->on(Edit2, [this](QChar key) { Edit2KeyPress(key); });
    if (Edit3)
        keyPresses->on(Edit3, [this](QChar key) { Edit3KeyPress(key); });
    keyPresses->on(Edit4, [this](QChar key) { Edit4KeyPress(key); });
    keyPresses->on(Edit5, [this](QChar key) { Edit5KeyPress(key); });
    connectGuarded(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    connectGuarded(DBGrid1, &controls::DBGrid::cellClicked, this, [this] { DBGrid1CellClick(); });
    connectGuarded(DBGrid1, &controls::DBGrid::keyReleased, this, [this] { DBGrid1KeyUp(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

QLineEdit* TLeaveWindowFrame::box(const QString& name, int width)
{
    auto* edit = new QLineEdit(Panel3);
    edit->setObjectName(name);
    edit->resize(width, boxHeight);
    // Flush right whatever the text: digits alone would otherwise stand at the left.
    edit->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    return edit;
}

void TLeaveWindowFrame::layOutStrip()
{
    // From the right edge leftwards, in reading order.
    int right = Panel3->width() - gap;
    const int top = (stripHeight - boxHeight) / 2;
    for (QWidget* part : std::initializer_list<QWidget*>{Edit1, Edit2, Label2, Edit3, Label1, Label3, Edit4, Edit5,
                                                         Edit6}) {
        if (!part)
            continue;
        if (auto* label = qobject_cast<QLabel*>(part))
            label->adjustSize();
        part->move(right - part->width(), qobject_cast<QLabel*>(part) ? (stripHeight - part->height()) / 2 : top);
        right -= part->width() + gap;
    }
}

leave::LeaveDate TLeaveWindowFrame::leaveDate() const
{
    return {Edit4->text().toStdString(), Edit5->text().toStdString(), Edit6->text().toStdString()};
}

void TLeaveWindowFrame::showEvent(QShowEvent* event)
{
    controls::WorkingWindow::showEvent(event);
    if (!event->spontaneous())
        runShowHandler([this] { FormShow(); });
}

void TLeaveWindowFrame::FormShow()
{
    Edit1->setFocus(Qt::OtherFocusReason);
    // The search runs even when the box was empty already, so the list starts on its first
    // worker whatever was added since.
    if (Edit1->text().isEmpty())
        Edit1Change();
    else
        Edit1->clear();
    Edit2->setText(u"1"_s);
    if (Edit3)
        Edit3->setText(u"0"_s);
    const QDate today = controls::today();
    Edit4->setText(today.toString(u"dd"_s));
    Edit5->setText(today.toString(u"MM"_s));
    Edit6->setText(today.toString(u"yyyy"_s));
}

void TLeaveWindowFrame::Edit1Change()
{
    store::DataModule1->TableMWN.FindNearest(Edit1->text().toStdString());
}

void TLeaveWindowFrame::selectWorker()
{
    store::TDataModule1& book = *store::DataModule1;
    // The key is read before the full name goes into the box: the search that writing it
    // runs could land on an earlier worker of the same name.
    const std::int32_t chosen = book.TableMWN.currentKey().value_or(0);
    const QString name = QString::fromStdString(book.TableMWNWorkerName.Text());
    if (Edit1->text() != name) {
        Edit1->setText(name);
        if (chosen != 0)
            book.TableMWN.FindKey(chosen);
    }
    chosenWorker_ = chosen != 0 ? std::optional<std::int32_t>(chosen) : std::nullopt;
    book.TableM.FindKey(chosen);
}

bool TLeaveWindowFrame::chosenWorkerStands()
{
    store::TDataModule1& book = *store::DataModule1;
    if (!chosenWorker_ || book.TableM.currentKey() == chosenWorker_)
        return true;
    // Not found when chosen: TableM stayed on the worker before, who must not be charged.
    controls::dialogs().message(chosenWorkerGone);
    book.TableMWN.Refresh();
    return false;
}

void TLeaveWindowFrame::Edit1Exit()
{
    selectWorker();
    Edit2->selectAll();
}

void TLeaveWindowFrame::DBGrid1CellClick()
{
    selectWorker();
}

void TLeaveWindowFrame::DBGrid1KeyUp()
{
    selectWorker();
}

void TLeaveWindowFrame::Edit1KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(Edit2);
}

void TLeaveWindowFrame::Edit2KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(Edit3 ? Edit3 : Edit4);
}

void TLeaveWindowFrame::Edit3KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(Edit4);
}

void TLeaveWindowFrame::Edit4KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(Edit5);
}

void TLeaveWindowFrame::Edit5KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(BitBtn2);
}

void TLeaveWindowFrame::BitBtn2Click()
{
    for (const QLineEdit* required : {Edit1, Edit2, Edit4}) {
        if (required->text().isEmpty()) {
            controls::dialogs().message(incompleteEntry);
            return;
        }
    }
    if (!chosenWorkerStands())
        return;
    post();
    close();
}

bool TLeaveWindowFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            controls::guarded([this] { Edit1Exit(); });
    }
    return controls::WorkingWindow::eventFilter(watched, event);
}
