#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormAllWorkerChang : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormAllWorkerChang();

    QPushButton* BitBtn1;
};

extern TFormAllWorkerChang* FormAllWorkerChang;
