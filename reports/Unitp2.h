#pragma once

#include <QWidget>

// Holds a printed layout; created hidden at start-up and never shown. The layout arrives
// with the reports.
class TFormPrint1 : public QWidget {
    Q_OBJECT
public:
    TFormPrint1();
};

extern TFormPrint1* FormPrint1;
