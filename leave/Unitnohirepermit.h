#pragma once

#include "LeaveWindowFrame.h"

// The unpaid leave window: days added to the worker's unpaid total, and an entry.
class TFormNoHirePermit : public TLeaveWindowFrame {
    Q_OBJECT
public:
    TFormNoHirePermit();

protected:
    void post() override;
};

extern TFormNoHirePermit* FormNoHirePermit;
