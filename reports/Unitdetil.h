#pragma once

#include "DBGrid.h"
#include "WorkingWindow.h"

// The detailed report window: the worker grid over TableM and, below it, the current
// worker's entries of each kind; the print button previews the current worker's report.
// REQUIRES: DataModule1 exists.
class TFormDetil : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormDetil();

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QWidget* Panel1;
    controls::DBGrid* DBGrid6; // workers
    controls::DBGrid* DBGrid2; // administrative entries
    controls::DBGrid* DBGrid5; // hourly entries
    controls::DBGrid* DBGrid4; // sick entries
    controls::DBGrid* DBGrid3; // unpaid entries

    void BitBtn2Click();
};

extern TFormDetil* FormDetil;
