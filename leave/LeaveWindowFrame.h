#pragma once

#include "DBGrid.h"
#include "LeaveInput.h"
#include "WorkingWindow.h"

#include <QLabel>
#include <QLineEdit>

#include <cstdint>
#include <optional>

// The frame the four leave windows share: the worker list in name order, the name box that
// searches it, the amount and date boxes, and the save and close buttons. Saving checks
// the name, amount and day boxes and then runs the window's own posting.
// REQUIRES: DataModule1 exists.
class TLeaveWindowFrame : public controls::WorkingWindow {
    Q_OBJECT
public:
    enum class Amounts { Days, HoursAndMinutes };

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QWidget* Panel1;
    QWidget* Panel3;
    controls::DBGrid* DBGrid1;
    QLabel* Image1;
    QLineEdit* Edit1;          // name
    QLineEdit* Edit2;          // days, or hours
    QLineEdit* Edit3 = nullptr; // minutes, in the hourly window only
    QLineEdit* Edit4;          // day
    QLineEdit* Edit5;          // month
    QLineEdit* Edit6;          // year
    QLabel* Label1 = nullptr;  // "دقيقة", in the hourly window only
    QLabel* Label2;
    QLabel* Label3;

    void FormShow();
    void Edit1Change();
    void Edit1Exit();
    void DBGrid1CellClick();
    void DBGrid1KeyUp();
    void Edit1KeyPress(QChar key);
    void Edit2KeyPress(QChar key);
    void Edit3KeyPress(QChar key);
    void Edit4KeyPress(QChar key);
    void Edit5KeyPress(QChar key);
    void BitBtn2Click();

protected:
    TLeaveWindowFrame(const QString& objectName, Amounts amounts);

    // The date boxes as typed.
    leave::LeaveDate leaveDate() const;
    // The window's posting, once the incomplete-entry check has passed.
    virtual void post() = 0;

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box(const QString& name, int width);
    void layOutStrip();
    void selectWorker();
    // Whether TableM still stands on the worker the clerk chose; when another program
    // deleted that worker, says so and shows the list as it now is.
    bool chosenWorkerStands();

    std::optional<std::int32_t> chosenWorker_; // the Auto the last selection sought
};
