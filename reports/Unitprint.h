#pragma once

#include "ReportPreviewer.h"

#include <QWidget>

// Carries the worker summary's printed layout, QuickRep1 over TableM on landscape A4;
// created hidden at start-up and never shown.  REQUIRES: DataModule1 exists.
class TFormPrint : public QWidget {
    Q_OBJECT
public:
    TFormPrint();

    printing::TQuickRep QuickRep1;
    // Generates the summary into its preview over `owner` and returns once it is closed.
    void Preview(QWidget* owner);

private:
    printing::ReportPreviewer previewer_;
};

extern TFormPrint* FormPrint;
