#pragma once

#include "LeaveWindowFrame.h"

// The sick leave window: days added to the worker's sick total, and an entry.
class TFormHealthPermit : public TLeaveWindowFrame {
    Q_OBJECT
public:
    TFormHealthPermit();

protected:
    void post() override;
};

extern TFormHealthPermit* FormHealthPermit;
