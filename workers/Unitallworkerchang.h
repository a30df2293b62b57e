#pragma once

#include "DBGrid.h"
#include "DBNavigator.h"
#include "WorkingWindow.h"

// The worker editing window: an editable grid and a navigator over TableM, for correcting,
// adding and deleting workers as they stand, with nothing derived or checked.
// REQUIRES: DataModule1 exists.
class TFormAllWorkerChang : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormAllWorkerChang();

    QPushButton* BitBtn1;
    QWidget* Panel1;
    controls::DBNavigator* DBNavigator1;
    controls::DBGrid* DBGrid1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

extern TFormAllWorkerChang* FormAllWorkerChang;
