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
    QWidget* Panel1;
    controls::DBGrid* DBGrid1;

    void BitBtn2Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

extern TFormAllWorker* FormAllWorker;
