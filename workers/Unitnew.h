#pragma once

#include "DBEdit.h"
#include "WorkingWindow.h"

#include <QLabel>
#include <QLineEdit>

// The new-worker window: each showing begins one new worker on TableM; the save button
// checks the name and entitlement boxes and stores the worker. The entitlement follows
// from the start of service when that box is left.  REQUIRES: DataModule1 exists.
namespace controls {
class KeyPressHandlers;
}

class TFormNew : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormNew();

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Panel3;
    QLabel* Panel4;
    QLabel* Panel5;
    QLabel* Panel6;
    controls::DBEdit* DBEdit1; // WorkerName
    controls::DBEdit* DBEdit2; // ServesStart
    controls::DBEdit* DBEdit3; // YearPermit
    controls::DBEdit* DBEdit4; // ServesYears
    QLineEdit* Edit1;          // the current year, never visible

    void FormShow();
    void DBEdit2Exit();
    void BitBtn2Click();
    void DBEdit1KeyPress(QChar key);
    void DBEdit2KeyPress(QChar key);
    void DBEdit3KeyPress(QChar key);
    void DBEdit4KeyPress(QChar key);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    controls::DBEdit* input(const QString& name, std::string_view field, QLabel*& label, const QString& caption,
                            QLabel*& badge, const QString& badgeName, const QString& number, int top);

    controls::KeyPressHandlers* keyPresses_;
};

extern TFormNew* FormNew;
