#include "JpegPicture.h"

#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>

namespace controls {
namespace {

// libjpeg's own error handler ends the process; this one jumps back to the decoder, which
// turns the message into an exception once libjpeg's frames are left behind.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
    bool damaged; // libjpeg only warns of cut or corrupt data, and fills the gap with grey
};

void jumpBack(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->back, 1);
}

void noteWarning(j_common_ptr info, int level)
{
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    if (level < 0 && !error->damaged) {
        error->damaged = true;
        (*info->err->format_message)(info, error->message);
    }
}

} // namespace

QImage decodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        throw PictureError("الصورة فارغة");
    jpeg_decompress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpBack;
    error.manager.emit_message = noteWarning;
    QImage image; // constructed before the jump point, so longjmp skips no destructor
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&info);
        throw PictureError(std::string("الصورة تالفة: ") + error.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        throw PictureError("الصورة أكبر من أن تُعرض");
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (error.damaged)
        throw PictureError(std::string("الصورة تالفة: ") + error.message);
    return image;
}

} // namespace controls
