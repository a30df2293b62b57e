#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormHealthPermit : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormHealthPermit();

    QPushButton* BitBtn1;
};

extern TFormHealthPermit* FormHealthPermit;
