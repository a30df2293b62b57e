#pragma once

#include "Dialogs.h"

// Every box of the program answered at once, and counted, so a benchmark never waits on one.
struct CountedBoxes : controls::Dialogs {
    CountedBoxes() { controls::setDialogs(this); }
    ~CountedBoxes() override { controls::setDialogs(nullptr); }
    CountedBoxes(const CountedBoxes&) = delete;
    CountedBoxes& operator=(const CountedBoxes&) = delete;
    void message(const QString&) override { ++shown; }
    void warning(const QString&) override { ++shown; }
    void exception(const QString&) override { ++shown; }
    bool confirmDelete() override { return false; }
    bool confirm(const QString&) override { return false; }
    QString fileToSave(const QString&, const QString&, const QString&) override { return {}; }
    int shown = 0;
};
