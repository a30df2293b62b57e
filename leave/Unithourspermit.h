#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormHoursPermit : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormHoursPermit();

    QPushButton* BitBtn1;
};

extern TFormHoursPermit* FormHoursPermit;
