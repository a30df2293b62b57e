#include "ProgramTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace controls {

QString programTitle(const QString& programFile)
{
    QString name = QFileInfo(programFile).fileName();
    name = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

QString applicationTitle()
{
    return programTitle(QCoreApplication::applicationFilePath());
}

} // namespace controls
