#pragma once

#include "LeaveWindowFrame.h"

// The hourly leave window: hours and minutes into the worker's balance, carried into days.
class TFormHoursPermit : public TLeaveWindowFrame {
    Q_OBJECT
public:
    TFormHoursPermit();

protected:
    void post() override;
};

extern TFormHoursPermit* FormHoursPermit;
