#include "Document.h"

#include "FigureFit.h"

namespace printing {

DocumentPage::DocumentPage(std::vector<PlacedItem> items)
{
    auto whole = std::make_shared<BandStamp>();
    whole->items = std::move(items);
    print(std::move(whole), 0, {});
}

void DocumentPage::print(std::shared_ptr<const BandStamp> band, double top, std::vector<QString> texts)
{
    printed_.push_back({std::move(band), top, std::move(texts)});
}

std::vector<PlacedItem> DocumentPage::items() const
{
    std::vector<PlacedItem> items;
    for (const Printed& printed : printed_) {
        const BandStamp& band = *printed.band;
        const std::size_t first = items.size();
        items.insert(items.end(), band.items.begin(), band.items.end());
        for (std::size_t n = first; n < items.size(); ++n)
            std::visit([&](auto& item) { item.box.translate(0, printed.top); }, items[n]);
        for (std::size_t t = 0; t < band.recordTexts.size() && t < printed.texts.size(); ++t) {
            PlacedItem& item = items[first + band.recordTexts[t]];
            item = placedRecordText(std::get<PlacedText>(std::move(item)), printed.texts[t]);
        }
    }
    return items;
}

} // namespace printing
