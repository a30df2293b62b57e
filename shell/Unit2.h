#pragma once

#include <QWidget>

// The hidden diagnostic window: an ordinary bordered window that the menu never shows.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2();

    QWidget* Panel2;
};

extern TForm2* Form2;
