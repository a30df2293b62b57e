#pragma once

#include "DBGrid.h"
#include "WorkingWindow.h"

// The worker summary window: every worker with all totals, read only, and the print
// button that previews the summary sheet.  REQUIRES: DataModule1 exists.
class TFormAllWorker : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormAllWorker();

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3; // export, beside the print button
    QWidget* Panel1;
    controls::DBGrid* DBGrid1;

    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

extern TFormAllWorker* FormAllWorker;
