#pragma once

#include "WorkingWindow.h"

#include "YearClosePlan.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>

// The window that closes a year: the year to close (the next the book may close), and every
// worker's years and entitlement now and after, with the year's totals that go to the
// archive. Its save button asks, closes the year, says where the archive is, and closes.
// REQUIRES: DataModule1 exists.
class TFormCloseYear : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormCloseYear();

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QWidget* Panel1;
    QLabel* Label1;
    QLineEdit* Edit1; // the year to close
    QTableView* Grid1;
    YearClosePlan* Plan1; // what Grid1 shows

    void FormShow();
    void Edit1Change();
    void Edit1KeyPress(QChar key);
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int chosenYear() const; // 0 when the box holds no year
    // As wide as the grid's columns need, within the window.
    void fitPanel();
};

extern TFormCloseYear* FormCloseYear;
