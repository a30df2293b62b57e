#pragma once

#include <QByteArray>
#include <QImage>

#include <stdexcept>

namespace controls {

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes a baseline JPEG held in memory through libjpeg. Damaged or foreign data throws
// PictureError with libjpeg's own complaint; it never ends the program.
QImage decodeJpeg(const QByteArray& bytes);

} // namespace controls
