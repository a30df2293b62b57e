#pragma once

#include "WorkingWindow.h"

#include <QLabel>
#include <QTableWidget>

#include <cstdint>

// One worker's history, newest first, read only: when, what did it, what changed, the value
// before and after, and who. Shown from the worker editing window for the worker chosen there.
// REQUIRES: DataModule1 exists.
class TFormWorkerHistory : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormWorkerHistory();

    QPushButton* BitBtn1;
    QWidget* Panel1;
    QLabel* Label1; // the worker
    QTableWidget* Grid1;

    // Reads the worker's history into the grid, its newest row current.
    void showWorker(std::int64_t worker, const QString& name);
};
