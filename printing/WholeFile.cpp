#include "WholeFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace printing {

std::string reasonOf(const QFileDevice& file, int lastError)
{
    // The system's own word first: Qt often says only "Unknown error" for a short write.
    if (lastError != 0)
        return std::strerror(lastError);
    const QString said = file.errorString();
    if (file.error() != QFileDevice::NoError && !said.isEmpty() && said != QStringLiteral("Unknown error"))
        return said.toStdString();
    return "لم يُكتب الملف كله (هل القرص ممتلئ؟)";
}

void commitWhole(QSaveFile& file, const std::string& refusal)
{
    errno = 0;
    const bool flushed = file.flush();
    const int lastError = errno;
    if (!flushed || file.error() != QFileDevice::NoError || file.size() != file.pos()) {
        const std::string reason = reasonOf(file, lastError);
        file.cancelWriting();
        throw std::runtime_error(refusal + reason);
    }
    if (!file.commit())
        throw std::runtime_error(refusal + reasonOf(file, errno));
}

} // namespace printing
