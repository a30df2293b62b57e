#pragma once

#include "DBGrid.h"
#include "DBNavigator.h"
#include "Unitworkerhistory.h"
#include "WorkingWindow.h"

#include <memory>

// The worker editing window: an editable grid and a navigator over TableM, for correcting,
// adding and deleting workers as they stand, with nothing derived or checked; its history
// button shows the chosen worker's history of changes.
// REQUIRES: DataModule1 exists.
class TFormAllWorkerChang : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormAllWorkerChang();

    QPushButton* BitBtn1;
    QPushButton* BitBtn3; // the chosen worker's history
    QWidget* Panel1;
    controls::DBNavigator* DBNavigator1;
    controls::DBGrid* DBGrid1;
    std::unique_ptr<TFormWorkerHistory> FormWorkerHistory;

    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

extern TFormAllWorkerChang* FormAllWorkerChang;
