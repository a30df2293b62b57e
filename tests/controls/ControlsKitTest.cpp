#include "Dialogs.h"
#include "Guard.h"
#include "IsolatedText.h"
#include "JpegPicture.h"
#include "Pictures.h"
#include "ProgramTitle.h"
#include "RecordingDialogs.h"
#include "Typing.h"
#include "WindowParts.h"
#include "WorkingWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// Runs `answer` on the modal box once it is up, from inside its own event loop.
void whenABoxOpens(std::function<void(QMessageBox&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(*box);
    });
}

} // namespace

TEST(ProgramTitle, IsTheFileNameCutAtItsFirstDotWithLaterLettersInLowerCase)
{
    EXPECT_EQ(controls::programTitle(u"/usr/local/bin/ijazat"_s), u"ijazat"_s);
    EXPECT_EQ(controls::programTitle(u"C:/Program/IJAZAT.EXE"_s), u"Ijazat"_s);
    EXPECT_EQ(controls::programTitle(u"/opt/LeaveBook.v2.bin"_s), u"Leavebook"_s);
    EXPECT_EQ(controls::programTitle(u"/opt/.hidden"_s), u""_s);
}

TEST(ExceptionBoxText, AddsAFullStopOnlyAfterACharacterSortingAfterIt)
{
    EXPECT_EQ(controls::exceptionBoxText(u""_s), u""_s);
    EXPECT_EQ(controls::exceptionBoxText(u"database is locked"_s), u"database is locked."_s);
    EXPECT_EQ(controls::exceptionBoxText(u"done."_s), u"done."_s);
    EXPECT_EQ(controls::exceptionBoxText(u"ends in a space "_s), u"ends in a space "_s);
    EXPECT_EQ(controls::exceptionBoxText(u"(closed)"_s), u"(closed)"_s);
    EXPECT_EQ(controls::exceptionBoxText(u"minus-"_s), u"minus-"_s);
    EXPECT_EQ(controls::exceptionBoxText(u"slash/"_s), u"slash/."_s);
    EXPECT_EQ(controls::exceptionBoxText(u"field 'ServesStart'"_s), u"field 'ServesStart'"_s);
    EXPECT_EQ(controls::exceptionBoxText(u"خطأ"_s), u"خطأ."_s);
}

TEST(Guard, StopsAHandlersExceptionAndShowsOneExceptionBoxPerClerkAction)
{
    testing_support::RecordingDialogs boxes;
    QPushButton button;
    controls::connectGuarded(&button, &QPushButton::clicked, &button,
                             [] { throw std::runtime_error("'x' is not a valid integer value"); });
    ASSERT_TRUE(testing_support::showActive(button));
    QTest::mouseClick(&button, Qt::LeftButton);
    controls::guarded([] { throw 42; }); // run by the same click, with no key or click since
    QTest::keyClick(&button, Qt::Key_A);
    controls::guarded([] { throw 42; });
    EXPECT_EQ(boxes.exceptions, (QStringList{u"'x' is not a valid integer value."_s, u""_s}));
}

TEST(Pictures, TheThreeCompiledPicturesDecodeAtTheirSizes)
{
    EXPECT_EQ(controls::picture(controls::Picture::Heart).size(), QSize(144, 167));
    EXPECT_EQ(controls::picture(controls::Picture::Traveller).size(), QSize(140, 222));
    EXPECT_EQ(controls::picture(controls::Picture::LeaveWindow).size(), QSize(198, 222));
    const QImage heart = controls::picture(controls::Picture::Heart);
    EXPECT_GT(qBlue(heart.pixel(5, 5)), qRed(heart.pixel(5, 5))) << "the heart stands on a blue ground";
}

TEST(Pictures, DamagedDataIsRefusedWithAnErrorNotAnExit)
{
    QFile file(u":/pictures/heart.jpg"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    QByteArray flipped = whole;
    for (int i = 20; i < 40; ++i)
        flipped[i] = char(0x5A);
    for (const QByteArray& damaged : {QByteArray(), whole.left(2), whole.left(300), whole.left(whole.size() - 200),
                                      QByteArray("GIF89a not a jpeg"), flipped}) {
        try {
            controls::decodeJpeg(damaged);
            ADD_FAILURE() << "decoded " << damaged.size() << " damaged bytes";
        } catch (const controls::PictureError& error) {
            EXPECT_NE(std::string(error.what()).find("الصورة"), std::string::npos);
        }
    }
    EXPECT_NO_THROW(controls::decodeJpeg(whole));
}

TEST(WorkingWindow, OpensMaximisedFramelessRightToLeftAndModalUntilItClosesItself)
{
    controls::WorkingWindow window(u"FormTest"_s, u"caption"_s, QColor(0x00, 0x63, 0x93));
    QPushButton* close = window.addCloseButton();
    bool sawItOpen = false;
    QTimer::singleShot(0, [&] {
        sawItOpen = window.isVisible() && window.isModal();
        EXPECT_EQ(window.geometry(), window.screen()->availableGeometry());
        EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(window.layoutDirection(), Qt::RightToLeft);
        EXPECT_EQ(close->objectName(), u"BitBtn1"_s);
        EXPECT_EQ(close->text(), u"اغلاق"_s);
        EXPECT_EQ(close->geometry(), QRect(8, 16, 100, 25));
        EXPECT_EQ(window.bottomBar()->geometry(), QRect(0, window.height() - 46, window.width(), 46));
        close->click();
    });
    controls::showModally(window);
    EXPECT_TRUE(sawItOpen);
    EXPECT_FALSE(window.isVisible());
}

TEST(RealBoxes, TheMessageBoxHasNoIconOneOkAndTheProgramTitle)
{
    whenABoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.text(), u"يوجد خطأ في الإدخال"_s);
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.windowTitle(), controls::applicationTitle());
        EXPECT_EQ(box.buttons().size(), 1);
        box.button(QMessageBox::Ok)->click();
    });
    controls::dialogs().message(u"يوجد خطأ في الإدخال"_s);
}

TEST(RealBoxes, APathInABoxStaysWholeOnOneLine)
{
    const QString path = u"/home/clerk/kestrave/Archive/2026/PermitAdmin/Permit-Admin.DB/and/further-down"_s;
    whenABoxOpens([](QMessageBox& box) {
        const auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
        ASSERT_NE(label, nullptr);
        EXPECT_LT(label->height(), 2 * label->fontMetrics().lineSpacing()) << "one line";
        box.button(QMessageBox::Ok)->click();
    });
    controls::dialogs().message(controls::isolatedLeftToRight(path));
}

// Boxes the windows do not describe speak Arabic and start in the clerk's documents; the
// windows' own boxes keep their one "OK".
TEST(RealBoxes, OurOwnDialogsSpeakArabicAndStartInTheDocumentsFolder)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_TRUE(QDir().mkpath(documents));
    QString started, saveCaption;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        started = chooser->directory().absolutePath();
        saveCaption = chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text();
        chooser->reject();
    });
    EXPECT_TRUE(controls::dialogs().fileToSave(u"تصدير الملخص"_s, u"x.xlsx"_s, u"XLSX (*.xlsx)"_s).isEmpty());
    EXPECT_EQ(started, QDir(documents).absolutePath());
    EXPECT_EQ(saveCaption.remove(u'&'), u"احفظ"_s);
    whenABoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(u'&'), u"ألغِ"_s);
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(controls::dialogs().confirm(u"إقفال سنة 2026؟"_s));
    whenABoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.button(QMessageBox::Ok)->text(), u"OK"_s);
        box.button(QMessageBox::Ok)->click();
    });
    controls::dialogs().message(u"المعلومات غير مكتملة"_s);
}

TEST(RealBoxes, TheExceptionBoxHasAnErrorIconAndTheFullStopRule)
{
    whenABoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.text(), u"database is locked."_s);
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.windowTitle(), controls::applicationTitle());
        box.button(QMessageBox::Ok)->click();
    });
    controls::reportException(u"database is locked"_s);
}

TEST(RealBoxes, TheDeleteConfirmationOffersOkAndCancel)
{
    whenABoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.text(), u"Delete record?"_s);
        EXPECT_EQ(box.button(QMessageBox::Ok)->text(), u"OK"_s);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), u"Cancel"_s);
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(controls::dialogs().confirmDelete());
    whenABoxOpens([](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    EXPECT_TRUE(controls::dialogs().confirmDelete());
}

// The menu and input panels: a single dark border, then a raised bevel, then a lowered one,
// each a pixel wide, round the panel's own colour.
TEST(MenuPanel, HasASingleBorderWithALoweredInnerBevel)
{
    QWidget window;
    QFrame* panel = controls::makeSunkenPanel(&window, u"Panel1"_s, QColor(0x00, 0x80, 0xC0), QSize(120, 80));
    const QImage drawn = panel->grab().toImage();
    const QRgb black = qRgb(0, 0, 0), white = qRgb(0xff, 0xff, 0xff), shadow = qRgb(0x80, 0x80, 0x80);
    const struct {
        QPoint at;
        QRgb colour;
    } expected[] = {
        {{0, 40}, black},  {{119, 40}, black}, {{60, 0}, black},   {{60, 79}, black},   // the border
        {{1, 40}, white},  {{60, 1}, white},   {{118, 40}, shadow}, {{60, 78}, shadow}, // raised
        {{2, 40}, shadow}, {{60, 2}, shadow},  {{117, 40}, white},  {{60, 77}, white},  // lowered inside it
        {{60, 40}, qRgb(0x00, 0x80, 0xC0)},
    };
    for (const auto& pixel : expected)
        EXPECT_EQ(drawn.pixel(pixel.at) & 0xffffff, pixel.colour & 0xffffff)
            << "at " << pixel.at.x() << "," << pixel.at.y();
}
