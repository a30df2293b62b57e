#pragma once

namespace printing {

// Where the bands go down the pages: from the top margin to the bottom margin, less the
// space a page footer reserves at the foot. Heights only; nothing of painting.
class PageFlow {
public:
    // All in mm from the paper's top edge.
    PageFlow(double top, double bottom, double footerReserve);

    // Whether a band of this height fits below what the page holds already. A band on a page
    // that holds nothing yet always fits, so a band taller than a page cannot stall the flow.
    bool fits(double height) const;
    // Puts a band at the current position and returns its top.
    double place(double height);
    void newPage();

    int page() const { return page_; } // counting from 0
    bool pageIsEmpty() const { return position_ == top_; }
    double footerTop() const { return bottom_ - footerReserve_; }

private:
    double top_;
    double bottom_;
    double footerReserve_;
    double position_;
    int page_ = 0;
};

} // namespace printing
