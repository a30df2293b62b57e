#include "Unit2.h"

#include "DataModule.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

TForm2* Form2 = nullptr;

TForm2::TForm2()
    : Panel2(new QWidget(this)),
      DBNavigator1(new controls::DBNavigator(Panel2, u"DBNavigator1"_s, store::DataModule1->DataSourcePermitAdmin))
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"Form2"_s);
    setLayoutDirection(Qt::RightToLeft);
    resize(487, 582);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setGeometry(0, 0, width(), 102);
    auto* caption = new QLabel(u"Panel2"_s, Panel2);
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(Panel2->rect());
    DBNavigator1->setGeometry(3, 109, 240, 25);
}
