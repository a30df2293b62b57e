#pragma once

#include <QStringList>
#include <QtGlobal>

namespace testing_support {

// The warnings Qt prints while it lives, for a test to assert there are none. Those of the
// tests' offscreen platform, which cannot size or raise a window, are not the program's.
class QtWarnings {
public:
    QtWarnings() { previous_ = qInstallMessageHandler(&QtWarnings::note); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;

    static QStringList& printed()
    {
        static QStringList lines;
        return lines;
    }

private:
    static void note(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg && !text.startsWith(QStringLiteral("This plugin does not support")))
            printed() << text;
    }

    QtMessageHandler previous_;
};

} // namespace testing_support
