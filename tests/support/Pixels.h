#pragma once

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <utility>

namespace testing_support {

// How many pixels of `image` are within a small distance of `colour`.
inline int pixelsOf(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            count += std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green())
                         + std::abs(seen.blue() - colour.blue())
                     < 40;
        }
    return count;
}

// The first and last column holding dark ink (text), `margin` pixels in from each edge, so
// a box's own frame is not taken for text; {-1, -1} when there is none.
inline std::pair<int, int> inkColumns(const QImage& image, int margin)
{
    std::pair<int, int> span{-1, -1};
    for (int x = margin; x < image.width() - margin; ++x)
        for (int y = margin; y < image.height() - margin; ++y)
            if (qGray(image.pixel(x, y)) < 110) {
                span.first = span.first < 0 ? x : span.first;
                span.second = x;
                break;
            }
    return span;
}

} // namespace testing_support
