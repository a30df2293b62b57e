#include "YearClosePlan.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList titles = {u"اسم العامل"_s, u"سنوات الخدمة"_s, u"بعد الإقفال"_s, u"الإستحقاق السنوي"_s,
                            u"بعد الإقفال"_s, u"إدارية"_s,       u"صحية"_s,       u"بلا اجر"_s,
                            u"التجاوز"_s,    u"رصيد الساعات"_s, u"ملاحظة"_s};

QString shown(const std::optional<std::int32_t>& value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

YearClosePlan::YearClosePlan(QObject* parent) : QAbstractTableModel(parent)
{
}

void YearClosePlan::show(std::vector<operations::YearCloseRow> rows, int year)
{
    beginResetModel();
    rows_ = std::move(rows);
    year_ = year;
    endResetModel();
}

int YearClosePlan::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int YearClosePlan::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(titles.size());
}

QString YearClosePlan::cell(const operations::YearCloseRow& row, int column) const
{
    switch (column) {
    case 0: return QString::fromStdString(row.name);
    case 1: return shown(row.yearsNow);
    case 2: return shown(row.yearsAfter);
    case 3: return shown(row.entitlementNow);
    case 4: return shown(row.entitlementAfter);
    case 5: return shown(row.administrative);
    case 6: return shown(row.sick);
    case 7: return shown(row.unpaid);
    case 8: return shown(row.excess);
    case 9: return QString::fromStdString(row.hoursText);
    default: break;
    }
    QStringList why;
    if (row.daysSettled != 0)
        why << u"%1 يوم من رصيد الساعات"_s.arg(row.daysSettled);
    if (row.entitlementAfter != row.entitlementNow && row.entitlementAfter && row.yearsAfter)
        why << u"%1 من %2: %3 سنوات خدمة"_s.arg(*row.entitlementAfter).arg(year_ + 1).arg(*row.yearsAfter);
    return why.join(u"، "_s);
}

QVariant YearClosePlan::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(rows_[std::size_t(index.row())], index.column());
}

QVariant YearClosePlan::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return titles.value(section);
}

int YearClosePlan::neededWidth(int column, const QFontMetrics& cellMetrics, const QFontMetrics& titleMetrics) const
{
    // The longest cell of a column is its widest but for a hair between letters: the few
    // longest are measured, not every row.
    std::vector<QString> longest;
    for (const operations::YearCloseRow& row : rows_) {
        QString text = cell(row, column);
        if (longest.size() < 8 || text.size() > longest.back().size()) {
            longest.push_back(std::move(text));
            std::sort(longest.begin(), longest.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
            if (longest.size() > 8)
                longest.pop_back();
        }
    }
    int widest = titleMetrics.horizontalAdvance(headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    for (const QString& text : longest)
        widest = std::max(widest, cellMetrics.horizontalAdvance(text));
    return widest;
}
