#include "ReportGenerator.h"

#include "Cursor.h"
#include "PageFlow.h"
#include "ReadSnapshot.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace printing {
namespace {

class Generation {
public:
    Generation(const TQuickRep& report, const Progress& progress)
        : report_(report), progress_(progress), paper_(report.Page.paperSize()),
          footer_(find(rbPageFooter)), header_(find(rbColumnHeader)),
          flow_(report.Page.topMargin, paper_.height() - report.Page.bottomMargin, footer_ ? footer_->Height : 0)
    {
        document_.paper = paper_;
        document_.orientation = report.Page.orientation;
        document_.pages.emplace_back();
    }

    Document run()
    {
        std::optional<store::ReadSnapshot> snapshot;
        if (store::Cursor* any = anyCursor())
            snapshot.emplace(*any);
        if (const TQRBand* title = find(rbTitle))
            print(*title);
        if (report_.DataSet)
            walkReportCursor(*report_.DataSet);
        else
            printDetailOnce();
        if (const TQRBand* summary = find(rbSummary))
            print(*summary);
        finishPage(true);
        tell(100);
        return std::move(document_);
    }

private:
    const TQRBand* find(TQRBandType type) const
    {
        const auto found = std::find_if(report_.Bands.begin(), report_.Bands.end(),
                                        [type](const TQRBand& band) { return band.BandType == type; });
        return found == report_.Bands.end() ? nullptr : &*found;
    }

    store::Cursor* anyCursor() const
    {
        if (report_.DataSet)
            return report_.DataSet;
        for (const TQRBand& band : report_.Bands)
            if (band.DataSet)
                return band.DataSet;
        return nullptr;
    }

    void tell(int percent) const
    {
        if (progress_)
            progress_(percent);
    }

    void walkReportCursor(store::Cursor& records)
    {
        // The grids bound to the cursor catch up once at the end, not at every record.
        const store::ControlsDisabled quiet(records);
        const TQRBand* detail = find(rbDetail);
        const std::size_t count = records.keysInOrder().size();
        records.First();
        if (records.IsEmpty()) {
            if (report_.PrintIfEmpty && detail)
                print(*detail);
            return;
        }
        if (header_)
            print(*header_);
        std::size_t done = 0;
        int told = -1;
        do {
            if (detail)
                print(*detail);
            runSubDetails();
            ++done;
            // Told as the per cent changes: a hundred times at most, however large the book.
            const int percent = int(std::min<std::size_t>(99, done * 100 / std::max<std::size_t>(count, 1)));
            if (percent != told)
                tell(told = percent);
        } while (records.MoveBy(1) != 0);
    }

    void printDetailOnce()
    {
        if (const TQRBand* detail = find(rbDetail))
            print(*detail);
        runSubDetails();
    }

    void runSubDetails()
    {
        for (const TQRBand& band : report_.Bands) {
            if (band.BandType != rbSubDetail)
                continue;
            if (!band.DataSet) {
                print(band);
                continue;
            }
            store::Cursor& entries = *band.DataSet;
            const store::ControlsDisabled quiet(entries);
            entries.First();
            if (entries.IsEmpty()) {
                if (band.PrintIfEmpty)
                    print(band);
                continue;
            }
            do
                print(band);
            while (entries.MoveBy(1) != 0);
        }
    }

    void print(const TQRBand& band)
    {
        if (!flow_.fits(band.Height)) {
            finishPage(false);
            const std::size_t bandsOnAPage = document_.pages.back().bandsPrinted();
            document_.pages.emplace_back();
            document_.pages.back().reserve(bandsOnAPage); // pages of one report hold alike
            flow_.newPage();
            if (header_)
                place(*header_, flow_.place(header_->Height));
        }
        place(band, flow_.place(band.Height));
    }

    void finishPage(bool last)
    {
        if (footer_ && (!last || report_.LastPageFooter))
            place(*footer_, flow_.footerTop());
    }

    QRectF onPage(const Box& box) const
    {
        return QRectF(report_.Page.leftMargin + box.left, box.top, box.right - box.left, box.height);
    }

    void place(const TQRBand& band, double top)
    {
        const std::shared_ptr<const BandStamp>& stamp = stampOf(band);
        std::vector<QString> texts;
        texts.reserve(stamp->recordTexts.size());
        for (const TQRElement& element : band.elements)
            if (const auto* data = std::get_if<TQRDBText>(&element))
                texts.push_back(data->DataSet ? QString::fromStdString(data->DataSet->FieldByName(data->DataField).Text())
                                              : QString());
        document_.pages.back().print(stamp, top, std::move(texts));
    }

    // Each band is stamped once; a page keeps where it stood and what the record gave it.
    const std::shared_ptr<const BandStamp>& stampOf(const TQRBand& band)
    {
        std::shared_ptr<const BandStamp>& known = stamps_[&band];
        if (known)
            return known;
        auto stamp = std::make_shared<BandStamp>();
        for (const TQRElement& element : band.elements) {
            if (const auto* label = std::get_if<TQRLabel>(&element)) {
                stamp->items.push_back(PlacedText{label->Name, onPage(label->box), label->Caption,
                                                  label->look.font.value_or(report_.Font), label->look});
            } else if (const auto* data = std::get_if<TQRDBText>(&element)) {
                stamp->recordTexts.push_back(stamp->items.size());
                stamp->items.push_back(
                    PlacedText{data->Name, onPage(data->box), QString(), data->look.font.value_or(report_.Font), data->look});
            } else if (const auto* shape = std::get_if<TQRShape>(&element)) {
                stamp->items.push_back(PlacedShape{shape->Name, onPage(shape->box)});
            }
        }
        return known = std::move(stamp);
    }

    const TQuickRep& report_;
    const Progress& progress_;
    QSizeF paper_;
    const TQRBand* footer_;
    const TQRBand* header_;
    PageFlow flow_;
    Document document_;
    std::unordered_map<const TQRBand*, std::shared_ptr<const BandStamp>> stamps_;
};

} // namespace

Document generateReport(const TQuickRep& report, const Progress& progress)
{
    return Generation(report, progress).run();
}

} // namespace printing
