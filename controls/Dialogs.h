#pragma once

#include <QString>

#include <cstdint>

namespace controls {

// The boxes the windows show. Tests may replace them with a recorder that answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A fixed text, no icon, one OK button, the program title as caption.
    virtual void message(const QString& text) = 0;
    // A warning: the text, a warning icon, OK, the program title.
    virtual void warning(const QString& text) = 0;
    // The exception box: the text, an error icon, OK, the program title.
    virtual void exception(const QString& text) = 0;
    // "Delete record?" with "OK" and "Cancel"; true for OK.
    virtual bool confirmDelete() = 0;
    // A question with "OK" and "Cancel"; true for OK.
    virtual bool confirm(const QString& question) = 0;
    // The file the clerk chooses to write, or empty when the choice was cancelled.
    virtual QString fileToSave(const QString& title, const QString& suggested, const QString& filter) = 0;
};

// The program's boxes: the real ones unless a test installed others.
Dialogs& dialogs();
// nullptr puts the real boxes back.
void setDialogs(Dialogs* replacement);

// The exception's message with a "." added when it is not empty and its last character
// sorts after ".".
QString exceptionBoxText(const QString& message);

// Shows an error that no window handled in the exception box; one box per clerk action,
// so an action that meets a failure once is not told of it again by every list it touches.
// `action`: the clerk action the error belongs to, when it is shown later.
void reportException(const QString& message);
void reportException(const QString& message, std::uint64_t action);

} // namespace controls
