#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormNoHirePermit : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormNoHirePermit();

    QPushButton* BitBtn1;
};

extern TFormNoHirePermit* FormNoHirePermit;
