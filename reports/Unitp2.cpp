#include "Unitp2.h"

#include "DataModule.h"
#include "Dialogs.h"
#include "LayoutParts.h"

using namespace Qt::Literals::StringLiterals;
using layout_parts::caption;
using layout_parts::dashedRule;
using layout_parts::field;
using printing::TextAlignment;

TFormPrint1* FormPrint1 = nullptr;

namespace {

printing::TQRBand titleBand(store::Cursor& workers)
{
    const auto heading = [](const char* name, const QString& text, double left, double right, double top = 20.2) {
        return caption(QString::fromLatin1(name), text, {left, right, top, 8.6}, 14, false);
    };
    return {u"QRBand4"_s,
            printing::rbTitle,
            32.1,
            {caption(u"QRLabel14"_s, u"تقرير الإجازات التفصيلي للعامل  :0"_s, {122.4, 189.5, 3.3, 9.6}, 16, true),
             field(u"QRDBText6"_s, workers, "WorkerName", {62.2, 120.1, 3.3, 8.6}, TextAlignment::Right, true),
             heading("QRLabel19", u"الإستحقاق السنوي"_s, 127.7, 158.1), heading("QRLabel20", u"إدارية"_s, 112.1, 122.0),
             heading("QRLabel21", u"ساعية"_s, 88.0, 98.6), heading("QRLabel18", u"صحية"_s, 65.2, 75.4),
             heading("QRLabel22", u"بلا اجر"_s, 42.7, 54.2),
             heading("QRLabel23", u"عدد الأيام المتجاوزة"_s, 3.3, 36.4, 19.8),
             dashedRule(u"QRLabel16"_s, 208, {-2.3, 186.2, 25.1, 8.6}, true)}};
}

printing::TQRBand totalsBand(store::Cursor& workers)
{
    const auto data = [&workers](const char* name, const char* fieldName, double left, double right) {
        return field(QString::fromLatin1(name), workers, fieldName, {left, right, 0.5, 8.5}, TextAlignment::Center,
                     false);
    };
    return {u"QRBand2"_s,
            printing::rbDetail,
            11.2,
            {data("QRDBText8", "YearPermit", 137.6, 153.5), data("QRDBText9", "AdministrationPermit", 109.5, 125.4),
             data("QRDBText10", "HorsPermit", 86.3, 102.1), data("QRDBText11", "HealthPermit", 63.2, 79.1),
             data("QRDBText12", "NoHire", 41.3, 57.1), data("QRDBText13", "ExcessMonth", 10.6, 26.5)}};
}

printing::TQRBand headingBand(const char* band, const char* captionName, const QString& text, double left,
                              double right, double top, const char* ruleName)
{
    printing::TQRBand heading{QString::fromLatin1(band),
                              printing::rbSubDetail,
                              10.6,
                              {caption(QString::fromLatin1(captionName), text, {left, right, top, 8.6}, 14, false),
                               dashedRule(QString::fromLatin1(ruleName), 56, {-40.7, 235.8, 5.3, 8.6}, false)}};
    return heading;
}

struct EntryLine {
    const char* band;
    double height;
    store::Cursor* entries;
    const char* amountName;
    const char* amountField;
    TextAlignment amountAlignment; // days flush right; an hours text, being text, flush left
    printing::Box amount;
    const char* dateName;
    printing::Box date;
};

printing::TQRBand entryBand(const EntryLine& line)
{
    printing::TQRBand entries{QString::fromLatin1(line.band),
                              printing::rbSubDetail,
                              line.height,
                              {field(QString::fromLatin1(line.amountName), *line.entries, line.amountField, line.amount,
                                     line.amountAlignment, false),
                               field(QString::fromLatin1(line.dateName), *line.entries, "Date", line.date,
                                     TextAlignment::Left, false)}};
    entries.DataSet = line.entries;
    return entries;
}

} // namespace

TFormPrint1::TFormPrint1() : previewer_(QuickRep1)
{
    setObjectName(u"FormPrint1"_s);
    store::TDataModule1& book = *store::DataModule1;
    QuickRep1.Name = u"QuickRep1"_s;
    QuickRep1.Page.orientation = QPageLayout::Portrait;
    QuickRep1.Font = layout_parts::boldFont(14);
    QuickRep1.Bands = {
        titleBand(book.TableM),
        totalsBand(book.TableM),
        headingBand("QRSubDetail5", "QRLabel2", u"إدارية"_s, 176.6, 186.5, 1.3, "QRLabel8"),
        entryBand({"QRSubDetail1", 10.9, &book.TablePermitAdmin, "QRDBText4", "AdministrationPermit",
                   TextAlignment::Right, {154.8, 170.7, 1.3, 8.6}, "QRDBText3", {110.1, 138.2, 1.7, 8.6}}),
        headingBand("QRSubDetail6", "QRLabel3", u"ساعية"_s, 175.9, 186.5, 1.3, "QRLabel9"),
        entryBand({"QRSubDetail3", 10.6, &book.TablePermitHours, "QRDBText21", "HorsPermit", TextAlignment::Left,
                   {155.1, 171.0, 0.3, 8.6}, "QRDBText20", {111.1, 139.2, 1.0, 8.6}}),
        headingBand("QRSubDetail7", "QRLabel4", u"صحية"_s, 175.6, 185.9, 1.3, "QRLabel10"),
        entryBand({"QRSubDetail2", 10.6, &book.TablePermitHealth, "QRDBText15", "HealthPermit", TextAlignment::Right,
                   {154.1, 170.0, 1.7, 8.6}, "QRDBText14", {111.8, 139.9, 0.3, 8.6}}),
        headingBand("QRSubDetail8", "QRLabel5", u"بلا اجر"_s, 172.6, 184.2, 1.0, "QRLabel12"),
        entryBand({"QRSubDetail4", 10.6, &book.TablePermitNoHire, "QRDBText26", "NoHire", TextAlignment::Right,
                   {152.5, 168.3, 1.3, 8.6}, "QRDBText25", {112.1, 140.2, 0.3, 8.6}}),
        {u"QRBand5"_s,
         printing::rbSummary,
         20.2,
         {dashedRule(u"QRLabel11"_s, 56, {-41.7, 234.8, -3.0, 8.6}, false),
          caption(u"QRLabel7"_s, u"رئيس الديوان"_s, {152.5, 177.9, 3.0, 9.6}, 16, true),
          caption(u"QRLabel1"_s, u"الطبيب المسؤل"_s, {68.5, 96.2, 2.6, 9.6}, 16, true),
          layout_parts::wrappedSignature(u"QRLabel6"_s, u"رئيس فرع Zorvane"_s, {0.7, 43.0, 2.3, 10.3})}},
    };
}

void TFormPrint1::Preview(QWidget* owner)
{
    previewer_.Preview(owner, [](const QString& message) { controls::reportException(message); });
}
