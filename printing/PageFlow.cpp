#include "PageFlow.h"

namespace printing {
namespace {

// Band heights are given to a tenth of a mm; sums of them must not miss by a rounding.
constexpr double tolerance = 1e-6;

} // namespace

PageFlow::PageFlow(double top, double bottom, double footerReserve)
    : top_(top), bottom_(bottom), footerReserve_(footerReserve), position_(top)
{
}

bool PageFlow::fits(double height) const
{
    return pageIsEmpty() || position_ + height <= footerTop() + tolerance;
}

double PageFlow::place(double height)
{
    const double at = position_;
    position_ += height;
    return at;
}

void PageFlow::newPage()
{
    position_ = top_;
    ++page_;
}

} // namespace printing
