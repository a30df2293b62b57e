#include "Unitmain.h"

#include "BuiltOnFirstNeed.h"
#include "Guard.h"
#include "Pictures.h"
#include "StandardPicture.h"
#include "Unit2.h"
#include "Unitadministrationpermit.h"
#include "Unitallworker.h"
#include "Unitallworkerchang.h"
#include "Unitcloseyear.h"
#include "Unitdetil.h"
#include "Unithealthpermit.h"
#include "Unithourspermit.h"
#include "Unitnew.h"
#include "Unitnohirepermit.h"

#include <QApplication>
#include <QKeyEvent>

using namespace Qt::Literals::StringLiterals;
using controls::connectGuarded;

TFormMain* FormMain = nullptr;

namespace {

const QColor menuColour(0x00, 0x80, 0xC0);

} // namespace

TFormMain::TFormMain() : controls::WorkingWindow(u"FormMain"_s, u"الإجازات"_s, QColor(0x00, 0x64, 0x97))
{
    Panel1 = controls::makeSunkenPanel(this, u"Panel1"_s, menuColour, QSize(585, 377));
    keepCentred(Panel1);

    Image1 = controls::makePicture(Panel1, u"Image1"_s, controls::picture(controls::Picture::Heart), QPoint(46, 26));

    Button1 = menuButton(u"Button1"_s, u"عامل جديد"_s, 452, 9, false);
    Button2 = menuButton(u"Button2"_s, u"تعديل ذاتية عامل"_s, 391, 51, false);
    Button3 = menuButton(u"Button3"_s, u"إجازات إدارية"_s, 330, 93, false);
    Button4 = menuButton(u"Button4"_s, u"إجازات ساعية"_s, 270, 135, false);
    Button5 = menuButton(u"Button5"_s, u"إجازات صحية"_s, 209, 178, false);
    Button6 = menuButton(u"Button6"_s, u"إجازة بلا أجر"_s, 149, 220, false);
    BitBtn2 = menuButton(u"BitBtn2"_s, u"تقرير"_s, 88, 262, true);
    BitBtn3 = menuButton(u"BitBtn3"_s, u"تقرير مفصل"_s, 28, 305, true);
    // No badge reads "8": the detailed report is number 9.
    Panel3 = badge(u"Panel3"_s, u"1"_s, Button1);
    Panel4 = badge(u"Panel4"_s, u"2"_s, Button2);
    Panel5 = badge(u"Panel5"_s, u"3"_s, Button3);
    Panel6 = badge(u"Panel6"_s, u"4"_s, Button4);
    Panel7 = badge(u"Panel7"_s, u"5"_s, Button5);
    Panel8 = badge(u"Panel8"_s, u"6"_s, Button6);
    Panel9 = badge(u"Panel9"_s, u"7"_s, BitBtn2);
    Panel10 = badge(u"Panel10"_s, u"9"_s, BitBtn3);

    Button7 = controls::makeButton(Panel1, u"Button7"_s, u"Button7"_s, QRect(270, 337, 75, 25));
    BitBtn4 = menuButton(u"BitBtn4"_s, u"تقرير مفصل"_s, 478, 310, true);
    Panel11 = badge(u"Panel11"_s, u"9"_s, BitBtn4);
    for (QWidget* hidden : std::initializer_list<QWidget*>{Button7, BitBtn4, Panel11})
        hidden->hide();

    BitBtn1 = addCloseButton();
    BitBtn5 = addRightEndButton(u"BitBtn5"_s, u"إقفال السنة"_s, 100, QStyle::SP_DialogSaveButton);
    QFont labelFont = font();
    labelFont.setPixelSize(16);
    Label1 = new QLabel(u"دفتر إجازات العاملين"_s, bottomBar());
    Label1->setObjectName(u"Label1"_s);
    Label2 = new QLabel(u"ijazat"_s, bottomBar());
    Label2->setObjectName(u"Label2"_s);
    for (auto [label, left, top] : {std::tuple{Label1, 565, 14}, std::tuple{Label2, 477, 15}}) {
        label->setFont(labelFont);
        label->setStyleSheet(u"color: yellow;"_s);
        label->adjustSize();
        label->move(left, top);
    }

    // The year's close comes after the Part's buttons, never ahead of them.
    controls::setTabChain({Button1, Button2, Button3, Button4, Button5, Button6, BitBtn2, BitBtn3, BitBtn1, BitBtn5});
    Button1->setFocus();

    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connectGuarded(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connectGuarded(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connectGuarded(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connectGuarded(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connectGuarded(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connectGuarded(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connectGuarded(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connectGuarded(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    FormCreate();
}

TFormMain::~TFormMain()
{
    if (keyPreview_)
        qApp->removeEventFilter(this);
}

QPushButton* TFormMain::menuButton(const QString& name, const QString& caption, int left, int top, bool picture)
{
    return controls::makeButton(Panel1, name, caption, QRect(left, top, 100, 60),
                                picture ? controls::standardPicture(QStyle::SP_FileDialogDetailedView) : QIcon());
}

QLabel* TFormMain::badge(const QString& name, const QString& caption, const QPushButton* button)
{
    return controls::makeBadge(Panel1, name, caption, menuColour, QRect(button->x(), button->y(), 17, 25));
}

void TFormMain::FormCreate()
{
    // Key preview: the window sees every character typed in any of its controls.
    qApp->installEventFilter(this);
    keyPreview_ = true;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    // A key the focused control ignores travels on to its parents; it is seen here once.
    const bool ours = watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this
                      && (watched == focusWidget() || (!focusWidget() && watched == this));
    if (!ours)
        return false;
    // Every key reaches the window first as a shortcut check, then its release follows it.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyRelease)
        previewed_ = nullptr;
    if (event->type() == QEvent::KeyPress && event != previewed_) {
        previewed_ = event;
        const QString character = static_cast<QKeyEvent*>(event)->text();
        controls::guarded([&] { FormKeyPress(character); });
    }
    return false; // the character still reaches the focused control
}

void TFormMain::FormKeyPress(const QString& character)
{
    if (character != u"y"_s)
        return;
    controls::showModally(controls::built(FormNew));
    Button1->setFocus();
}

void TFormMain::Button1Click()
{
    controls::showModally(controls::built(FormNew));
}

void TFormMain::Button2Click()
{
    controls::showModally(controls::built(FormAllWorkerChang));
}

void TFormMain::BitBtn5Click()
{
    controls::showModally(controls::built(FormCloseYear));
}

void TFormMain::Button3Click()
{
    controls::showModally(controls::built(FormAdministrationPermit));
}

void TFormMain::Button4Click()
{
    controls::showModally(controls::built(FormHoursPermit));
}

void TFormMain::Button5Click()
{
    controls::showModally(controls::built(FormHealthPermit));
}

void TFormMain::Button6Click()
{
    controls::showModally(controls::built(FormNoHirePermit));
}

void TFormMain::BitBtn2Click()
{
    controls::showModally(controls::built(FormAllWorker));
}

void TFormMain::BitBtn3Click()
{
    controls::showModally(controls::built(FormDetil));
}

void TFormMain::Button7Click()
{
    controls::showModally(controls::built(Form2), false);
}

void TFormMain::BitBtn4Click()
{
}
