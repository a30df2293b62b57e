#pragma once

#include "DataLink.h"
#include "NavigatorGlyphs.h"

#include <QWidget>

#include <array>

class QToolButton;

namespace store {
class Cursor;
class DataSource;
} // namespace store

namespace controls {

// The record navigator: ten buttons side by side, left to right, sharing its width, each
// acting on the data source's cursor and enabled only when its action makes sense there.
// The buttons never take the focus, so a grid being typed in keeps it.
class DBNavigator : public QWidget, private store::DataLink {
    Q_OBJECT
public:
    DBNavigator(QWidget* parent, const QString& objectName, store::DataSource& source);
    ~DBNavigator() override;
    DBNavigator(const DBNavigator&) = delete;
    DBNavigator& operator=(const DBNavigator&) = delete;

    QToolButton* button(NavigatorButton which) const { return buttons_[std::size_t(which)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void recordChanged() override;
    void stateChanged() noexcept override;
    void dataSetChanged() noexcept override;

    store::Cursor& cursor() const;
    void press(NavigatorButton which);
    void enableButtons() noexcept;

    store::DataSource& source_;
    std::array<QToolButton*, 10> buttons_{};
};

} // namespace controls
