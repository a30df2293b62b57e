#pragma once

#include "YearClose.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QStringList>

#include <vector>

// What closing a year does, worker by worker, as the year window's grid shows it: each cell
// made from the plan when it is painted, none kept, so a book of any size costs the plan alone.
class YearClosePlan : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit YearClosePlan(QObject* parent);

    // The plan of closing `year` in place of the one shown; none for 0.
    void show(std::vector<operations::YearCloseRow> rows, int year);
    // The width the column needs for its title (in `titleMetrics`) and its widest cell (in `cellMetrics`).
    int neededWidth(int column, const QFontMetrics& cellMetrics, const QFontMetrics& titleMetrics) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cell(const operations::YearCloseRow& row, int column) const;

    std::vector<operations::YearCloseRow> rows_;
    int year_ = 0;
};
