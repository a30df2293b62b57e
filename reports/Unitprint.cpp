#include "Unitprint.h"

#include "DataModule.h"
#include "Dialogs.h"
#include "LayoutParts.h"

using namespace Qt::Literals::StringLiterals;
using layout_parts::caption;
using layout_parts::dashedRule;
using layout_parts::field;
using printing::Box;
using printing::TextAlignment;

TFormPrint* FormPrint = nullptr;

namespace {

printing::TQRBand titleBand()
{
    return {u"QRBand4"_s, printing::rbTitle, 14.9,
            {caption(u"QRLabel14"_s,
                     u"تقرير إجازات العاملين بفرع النقابة لشهر .........................................0"_s,
                     {118.7, 275.8, 3.3, 9.6}, 16, true)}};
}

printing::TQRBand columnHeaderBand()
{
    const auto heading = [](const char* name, const QString& text, double left, double right, double top = 4.0) {
        return caption(QString::fromLatin1(name), text, {left, right, top, 8.6}, 14, false);
    };
    return {u"QRBand3"_s,
            printing::rbColumnHeader,
            20.2,
            {heading("QRLabel15", u"اسم العامل"_s, 257.6, 275.2), heading("QRLabel13", u"سنوات الخدمة"_s, 189.8, 213.7),
             heading("QRLabel4", u"بداية الخدمة"_s, 164.4, 184.9),
             heading("QRLabel2", u"الإستحقاق السنوي"_s, 127.7, 158.1), heading("QRLabel8", u"إدارية"_s, 111.8, 121.7),
             heading("QRLabel9", u"ساعية"_s, 88.0, 98.6), heading("QRLabel3", u"صحية"_s, 65.2, 75.4),
             heading("QRLabel12", u"بلا اجر"_s, 42.7, 54.2),
             heading("QRLabel5", u"عدد الأيام المتجاوزة"_s, 3.3, 36.4, 3.6),
             dashedRule(u"QRLabel10"_s, 208, {-2.3, 274.2, 8.9, 8.6}, true)}};
}

printing::TQRBand detailBand(store::Cursor& workers)
{
    const auto data = [&workers](const char* name, const char* fieldName, double left, double right,
                                 TextAlignment alignment = TextAlignment::Center) {
        return field(QString::fromLatin1(name), workers, fieldName, {left, right, 0.5, 8.5}, alignment, true);
    };
    return {u"QRBand2"_s,
            printing::rbDetail,
            12.9,
            {data("QRDBText3", "WorkerName", 216.7, 274.6, TextAlignment::Right),
             data("QRDBText1", "ServesYears", 196.6, 212.5), data("QRDBText2", "ServesStart", 168.8, 184.7),
             data("QRDBText4", "YearPermit", 137.6, 153.5), data("QRDBText5", "AdministrationPermit", 109.5, 125.4),
             data("QRDBText6", "HorsPermit", 86.3, 102.1), data("QRDBText7", "HealthPermit", 63.2, 79.1),
             data("QRDBText8", "NoHire", 41.3, 57.1), data("QRDBText9", "ExcessMonth", 10.6, 26.5),
             printing::TQRShape{u"QRShape1"_s, Box{0.7, 275.5, 11.6, 0.3}}}};
}

printing::TQRBand pageFooterBand()
{
    return {u"QRBand5"_s,
            printing::rbPageFooter,
            29.1,
            {dashedRule(u"QRLabel11"_s, 208, {-2.6, 273.8, 0.3, 8.6}, true),
             caption(u"QRLabel7"_s, u"رئيس الديوان"_s, {248.7, 274.2, 5.3, 9.6}, 16, true),
             caption(u"QRLabel1"_s, u"الطبيب المسؤل"_s, {118.4, 146.2, 6.0, 9.6}, 16, true),
             layout_parts::wrappedSignature(u"QRLabel6"_s, u"رئيس فرع Zorvane"_s, {0.7, 43.0, 6.6, 10.3})}};
}

} // namespace

TFormPrint::TFormPrint() : previewer_(QuickRep1)
{
    setObjectName(u"FormPrint"_s);
    store::Cursor& workers = store::DataModule1->TableM;
    QuickRep1.Name = u"QuickRep1"_s;
    QuickRep1.DataSet = &workers;
    QuickRep1.Page.orientation = QPageLayout::Landscape;
    QuickRep1.Font = layout_parts::boldFont(14);
    QuickRep1.Bands = {titleBand(), columnHeaderBand(), detailBand(workers), pageFooterBand()};
}

void TFormPrint::Preview(QWidget* owner)
{
    previewer_.Preview(owner, [](const QString& message) { controls::reportException(message); });
}
