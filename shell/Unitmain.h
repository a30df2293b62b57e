#pragma once

#include "WorkingWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

// The main window: a menu of eight buttons, each opening one working window modally, and
// a close button that ends the program.
class TFormMain : public controls::WorkingWindow {
    Q_OBJECT
public:
    TFormMain();
    ~TFormMain() override;

    QFrame* Panel1;
    QLabel* Image1;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *BitBtn2, *BitBtn3;
    QLabel *Panel3, *Panel4, *Panel5, *Panel6, *Panel7, *Panel8, *Panel9, *Panel10;
    QPushButton *Button7, *BitBtn4;
    QLabel* Panel11;
    QPushButton* BitBtn1; // closes the main window, which ends the program
    QPushButton* BitBtn5; // "إقفال السنة", at the bottom bar's right end
    QLabel *Label1, *Label2;

    void FormCreate();
    // Every character typed while this window or one of its controls has the focus.
    void FormKeyPress(const QString& character);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void Button7Click();
    void BitBtn4Click();
    void BitBtn5Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* menuButton(const QString& name, const QString& caption, int left, int top, bool picture);
    QLabel* badge(const QString& name, const QString& caption, const QPushButton* button);
    bool keyPreview_ = false;
    // The key press last previewed, until the next key reaches the window: a filter put in
    // while a key is handled makes Qt hand that key to this one again.
    const QEvent* previewed_ = nullptr;
};

extern TFormMain* FormMain;
