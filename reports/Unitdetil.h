#pragma once

#include "WorkingWindow.h"

// Its content arrives with its own work; for now the window opens and closes.
class TFormDetil : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormDetil();

    QPushButton* BitBtn1;
};

extern TFormDetil* FormDetil;
