#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormAllWorker : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormAllWorker();

    QPushButton* BitBtn1;
};

extern TFormAllWorker* FormAllWorker;
