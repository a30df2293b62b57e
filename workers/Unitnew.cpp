#include "Unitnew.h"

#include "ActionOnBook.h"
#include "Clock.h"
#include "DataModule.h"
#include "Dialogs.h"
#include "Guard.h"
#include "KeyPressHandlers.h"
#include "Pictures.h"
#include "ServiceYears.h"
#include "WholeNumber.h"

#include <QCloseEvent>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using controls::connectGuarded;

TFormNew* FormNew = nullptr;

namespace {

const QColor inputPanelColour(0x00, 0x80, 0xC0);
const QString inputError = u"يوجد خطأ في الإدخال"_s;
const QString incompleteEntry = u"المعلومات غير مكتملة ؟؟ الرجاء اعادة كتابة المعلومات."_s;

constexpr int boxLeft = 385;
constexpr int boxWidth = 121;
constexpr int boxHeight = 21;
constexpr int badgeLeft = 514;

} // namespace

TFormNew::TFormNew()
    : controls::WorkingWindow(u"FormNew"_s, u"الإجازات"_s, QColor(0x00, 0x6F, 0xA4)), BitBtn1(addCloseButton()),
      keyPresses_(new controls::KeyPressHandlers(this))
{
    BitBtn2 = addSaveButton();

    Panel1 = controls::makeSunkenPanel(this, u"Panel1"_s, inputPanelColour, QSize(585, 319));
    keepCentred(Panel1);
    Image1 = controls::makePicture(Panel1, u"Image1"_s, controls::picture(controls::Picture::Traveller), QPoint(69, 49));

    DBEdit1 = input(u"DBEdit1"_s, "WorkerName", Label1, u"اسم العامل"_s, Panel3, u"Panel3"_s, u"1"_s, 71);
    DBEdit2 = input(u"DBEdit2"_s, "ServesStart", Label2, u"بداية الخدمة"_s, Panel4, u"Panel4"_s, u"2"_s, 126);
    DBEdit4 = input(u"DBEdit4"_s, "ServesYears", Label4, u"عدد سنوات الخدمة"_s, Panel6, u"Panel6"_s, u"3"_s, 182);
    DBEdit3 = input(u"DBEdit3"_s, "YearPermit", Label3, u"الإستحقاق السنوي"_s, Panel5, u"Panel5"_s, u"4"_s, 237);

    Edit1 = new QLineEdit(u"Edit1"_s, Panel1);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setGeometry(boxLeft, 8, boxWidth, boxHeight);
    Edit1->hide();

    // The tab order passes the entitlement before the years, unlike the badges.
    controls::setTabChain({DBEdit1, DBEdit2, DBEdit3, DBEdit4, BitBtn1, BitBtn2, DBEdit1});

    keyPresses_->on(DBEdit1, [this](QChar key) { DBEdit1KeyPress(key); });
    keyPresses_->on(DBEdit2, [this](QChar key) { DBEdit2KeyPress(key); });
    keyPresses_->on(DBEdit3, [this](QChar key) { DBEdit3KeyPress(key); });
    keyPresses_->on(DBEdit4, [this](QChar key) { DBEdit4KeyPress(key); });
    connectGuarded(DBEdit2, &controls::DBEdit::exited, this, [this] { DBEdit2Exit(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

controls::DBEdit* TFormNew::input(const QString& name, std::string_view field, QLabel*& label, const QString& caption,
                                  QLabel*& badge, const QString& badgeName, const QString& number, int top)
{
    auto* box = new controls::DBEdit(Panel1, name, store::DataModule1->DataSourceM, field);
    box->setGeometry(boxLeft, top, boxWidth, boxHeight);
    label = controls::makeRightAlignedLabel(Panel1, u"Label"_s + name.right(1), caption, boxLeft + boxWidth, top - 18);
    badge = controls::makeBadge(Panel1, badgeName, number, inputPanelColour, QRect(badgeLeft, top - 2, 17, 25));
    return box;
}

void TFormNew::showEvent(QShowEvent* event)
{
    controls::WorkingWindow::showEvent(event);
    if (!event->spontaneous())
        runShowHandler([this] { FormShow(); });
}

void TFormNew::FormShow()
{
    store::DataModule1->TableM.Insert();
    DBEdit1->setFocus(Qt::OtherFocusReason);
    DBEdit1->selectAll();
    Edit1->setText(controls::today().toString(u"yyyy"_s));
}

void TFormNew::DBEdit2Exit()
{
    const QString startText = DBEdit2->text();
    if (startText.isEmpty())
        return;
    const auto start = store::parseWholeNumber(startText.toStdString());
    const auto current = store::parseWholeNumber(Edit1->text().toStdString());
    // A start year after this one, or so far back the years leave 32 bits, is an input error.
    const auto years = start && current ? rules::yearsOfService(*start, *current) : std::nullopt;
    if (!years) {
        controls::dialogs().message(inputError);
        return;
    }
    DBEdit4->setText(QString::number(*years));
    DBEdit3->setText(QString::number(rules::entitlementFor(*years)));
}

void TFormNew::BitBtn2Click()
{
    if (DBEdit1->text().isEmpty() || DBEdit3->text().isEmpty()) {
        controls::dialogs().message(incompleteEntry);
        return;
    }
    store::Cursor& workers = store::DataModule1->TableM;
    {
        const store::ActionOnBook registering(store::DataModule1->connection(), store::bookAction::newWorker);
        workers.Post();
    }
    workers.Next();
    close();
}

void TFormNew::closeEvent(QCloseEvent* event)
{
    // A worker is stored by the save button only: the new record of a showing that was not
    // saved is dropped, so no later settle stores it half-typed.
    controls::guarded([] {
        store::Cursor& workers = store::DataModule1->TableM;
        if (workers.State() == store::CursorState::Inserting)
            workers.Cancel();
    });
    controls::WorkingWindow::closeEvent(event);
}

void TFormNew::DBEdit1KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(DBEdit2);
}

void TFormNew::DBEdit2KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(BitBtn2);
}

void TFormNew::DBEdit3KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(DBEdit4);
}

void TFormNew::DBEdit4KeyPress(QChar key)
{
    if (key == u'\r')
        controls::passFocus(BitBtn2);
}
