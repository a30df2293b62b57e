#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormNew : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormNew();

    QPushButton* BitBtn1;
};

extern TFormNew* FormNew;
