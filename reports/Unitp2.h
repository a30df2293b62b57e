#pragma once

#include "ReportPreviewer.h"

#include <QWidget>

// Carries the detailed report's printed layout, QuickRep1 on portrait A4: the worker
// TableM stands on, with its totals and every entry of each kind. Created hidden at
// start-up and never shown.  REQUIRES: DataModule1 exists.
class TFormPrint1 : public QWidget {
    Q_OBJECT
public:
    TFormPrint1();

    printing::TQuickRep QuickRep1;
    // Generates the report into its preview over `owner` and returns once it is closed.
    void Preview(QWidget* owner);

private:
    printing::ReportPreviewer previewer_;
};

extern TFormPrint1* FormPrint1;
