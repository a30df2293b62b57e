#pragma once

#include "DBNavigator.h"

#include <QWidget>

// The hidden diagnostic window: an ordinary bordered window that the menu never shows.
// REQUIRES: DataModule1 exists.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2();

    QWidget* Panel2;
    // Below the panel's height, so it is cut off from view.
    controls::DBNavigator* DBNavigator1;
};

extern TForm2* Form2;
