#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormAdministrationPermit : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormAdministrationPermit();

    QPushButton* BitBtn1;
};

extern TFormAdministrationPermit* FormAdministrationPermit;
