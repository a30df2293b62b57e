#pragma once

#include "Dialogs.h"
#include "QtPrinting.h"

#include <QStringList>

namespace testing_support {

// Answers every box at once and remembers what it was asked, while installed.
class RecordingDialogs : public controls::Dialogs {
public:
    RecordingDialogs() { controls::setDialogs(this); }
    ~RecordingDialogs() override { controls::setDialogs(nullptr); }

    void message(const QString& text) override { messages << text; }
    void warning(const QString& text) override { warnings << text; }
    void exception(const QString& text) override { exceptions << text; }
    bool confirmDelete() override
    {
        ++deleteQuestions;
        return answerDelete;
    }

    bool confirm(const QString& question) override
    {
        questions << question;
        return answerConfirm;
    }
    QString fileToSave(const QString& title, const QString&, const QString&) override
    {
        fileQuestions << title;
        return chosenFile;
    }

    QStringList messages;
    QStringList warnings;
    QStringList fileQuestions;
    QStringList questions;
    bool answerConfirm = true;
    QString chosenFile; // what the clerk chooses; empty cancels
    QStringList exceptions;
    int deleteQuestions = 0;
    bool answerDelete = true;
};

} // namespace testing_support
