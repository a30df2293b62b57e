#pragma once

#include <QWidget>

// Holds a printed layout; created hidden at start-up and never shown. The layout arrives
// with the reports.
class TFormPrint : public QWidget {
    Q_OBJECT
public:
    TFormPrint();
};

extern TFormPrint* FormPrint;
