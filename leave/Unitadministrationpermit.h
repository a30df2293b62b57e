#pragma once

#include "LeaveWindowFrame.h"

// The administrative leave window: days added to the worker's total, an entry, and the excess.
class TFormAdministrationPermit : public TLeaveWindowFrame {
    Q_OBJECT
public:
    TFormAdministrationPermit();

protected:
    void post() override;
};

extern TFormAdministrationPermit* FormAdministrationPermit;
