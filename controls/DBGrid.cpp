#include "DBGrid.h"

#include "Cursor.h"
#include "DataSource.h"
#include "FieldLineEdit.h"
#include "GridCells.h"
#include "GridTitles.h"
#include "RowIndicators.h"
#include "Guard.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace controls {
namespace {

constexpr int gridRowHeight = 18;  // in pixels, for 13-pixel text
constexpr int indicatorWidth = 14;  // in pixels
constexpr int defaultColumnWidth = 64;

bool isTyping(const QKeyEvent& event)
{
    const QString typed = event.text();
    return !typed.isEmpty() && typed.front().isPrint()
           && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

DBGrid::DBGrid(QWidget* parent, const QString& objectName, store::DataSource& source, std::vector<GridColumn> columns,
               GridOptions options)
    : QTableView(parent), source_(source), options_(options), model_(new CursorTableModel(source, std::move(columns), this)),
      editor_(new FieldLineEdit(viewport())), titles_(new GridTitles(this))
{
    setObjectName(objectName);
    setHorizontalHeader(titles_);
    setVerticalHeader(new RowIndicators(this, indicatorWidth, gridRowHeight));
    setModel(model_);
    setItemDelegate(new GridCells(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(options_.wholeRows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setShowGrid(true);
    setAutoScroll(false);

    horizontalHeader()->setDefaultSectionSize(defaultColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (model_->column(column).width)
            setColumnWidth(column, *model_->column(column).width);
        setColumnHidden(column, model_->column(column).hidden);
    }

    editor_->setObjectName(objectName + QStringLiteral("Cell"));
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::textEdited, this, [this] { guarded([this] { cellTyped(); }); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { placeEditor(); });
    connect(model_, &CursorTableModel::cursorRowChanged, this, [this] { followCursor(); });
    connect(model_, &CursorTableModel::rowMarkChanged, this, [this](int row) {
        const QHeaderView& marks = *verticalHeader();
        marks.viewport()->update(0, marks.sectionViewportPosition(row), marks.viewport()->width(), marks.sectionSize(row));
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
        // Only moving to another control of this window leaves the grid; a box in front does not.
        if (ownsFocus(from) && to && !ownsFocus(to) && to->window() == window())
            guarded([this] { leave(); });
    });
    source_.addLink(*this);
    followCursor();
}

DBGrid::~DBGrid()
{
    source_.removeLink(*this);
}

store::Cursor& DBGrid::cursor() const
{
    return model_->cursor();
}

bool DBGrid::isEditingCell() const
{
    return editedColumn_ >= 0;
}

void DBGrid::setColour(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    horizontalHeader()->setAutoFillBackground(true);
}

bool DBGrid::ownsFocus(const QWidget* widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

bool DBGrid::touched() const
{
    return cursor().Modified() || cellTyping_;
}

// ---- following the cursor ----

void DBGrid::followCursor() noexcept
{
    const int row = model_->cursorRow();
    following_ = true;
    if (row < 0 || model_->columnCount() == 0) {
        selectionModel()->clear();
    } else {
        currentColumn_ = std::clamp(currentColumn_, 0, model_->columnCount() - 1);
        const QModelIndex current = model_->index(row, currentColumn_);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect
                                                       | (options_.wholeRows ? QItemSelectionModel::Rows
                                                                             : QItemSelectionModel::NoUpdate));
        scrollTo(current);
    }
    titles_->markSection(editable() && model_->columnCount() > 0 ? currentColumn_ : -1);
    following_ = false;
    placeEditor();
}

void DBGrid::placeEditor() noexcept
{
    if (editedColumn_ < 0)
        return;
    const QModelIndex cell = model_->index(model_->cursorRow(), editedColumn_);
    if (!cell.isValid()) {
        editor_->hide();
        return;
    }
    editor_->setGeometry(visualRect(cell));
    editor_->show();
}

void DBGrid::recordChanged()
{
    if (!beginningChange_)
        closeCell();
}

void DBGrid::dataSetChanged() noexcept
{
    if (!beginningChange_)
        closeCell();
}

void DBGrid::updateData()
{
    commitCell();
}

// ---- the open cell ----

void DBGrid::openCell()
{
    if (!editable() || editedColumn_ >= 0 || model_->cursorRow() < 0 || model_->field(currentColumn_).ReadOnly())
        return;
    editedColumn_ = currentColumn_;
    cellTyping_ = false;
    editor_->keepToField(model_->field(editedColumn_));
    // Where the cell shows its text, whatever reading order the box itself keeps.
    const auto shownAt = model_->data(model_->index(model_->cursorRow(), editedColumn_), Qt::TextAlignmentRole)
                             .value<Qt::Alignment>();
    editor_->setAlignment(QStyle::visualAlignment(layoutDirection(), shownAt) | Qt::AlignAbsolute);
    editor_->setText(model_->data(model_->index(model_->cursorRow(), editedColumn_)).toString());
    placeEditor();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
}

void DBGrid::cellTyped()
{
    cellTyping_ = true;
    if (cursor().State() == store::CursorState::Browsing)
        beginChange();
}

void DBGrid::beginChange()
{
    // Beginning the change re-reads the record; the cell being typed stays open meanwhile.
    beginningChange_ = true;
    try {
        cursor().Edit();
    } catch (...) {
        beginningChange_ = false;
        closeCell();
        throw;
    }
    beginningChange_ = false;
}

void DBGrid::commitCell()
{
    if (editedColumn_ < 0 || !cellTyping_)
        return;
    try {
        model_->field(editedColumn_).SetText(editor_->text().toStdString());
    } catch (...) {
        editor_->setFocus(Qt::OtherFocusReason);
        editor_->selectAll();
        throw;
    }
    cellTyping_ = false;
    editor_->setText(model_->data(model_->index(model_->cursorRow(), editedColumn_)).toString());
}

void DBGrid::closeCell() noexcept
{
    if (editedColumn_ < 0)
        return;
    editedColumn_ = -1;
    cellTyping_ = false;
    // The grid takes the focus before the box goes: hiding a box that holds the focus passes
    // it on as a Tab would, and the grid takes a Tab as a move to the next cell.
    if (editor_->hasFocus())
        setFocus(Qt::OtherFocusReason);
    editor_->hide();
}

void DBGrid::leave()
{
    commitCell();
    closeCell();
    if (cursor().State() == store::CursorState::Inserting && !cursor().Modified())
        cursor().Cancel();
}

// ---- moves ----

void DBGrid::goToRow(int row)
{
    const std::optional<std::int32_t> key = model_->keyAt(row);
    if (row == model_->cursorRow() || !key)
        return;
    cursor().FindKey(*key);
    followCursor(); // a record gone since the keys were read leaves the cursor where it was
}

void DBGrid::goToColumn(int column)
{
    if (column < 0 || column >= model_->columnCount() || column == currentColumn_)
        return;
    commitCell();
    closeCell();
    currentColumn_ = column;
    followCursor();
}

bool DBGrid::moveUp()
{
    store::Cursor& shown = cursor();
    if (shown.State() == store::CursorState::Inserting && !touched()) {
        const bool appended = shown.Appended();
        shown.Cancel();
        if (!appended)
            shown.Prior();
        return true;
    }
    return shown.MoveBy(-1) != 0;
}

bool DBGrid::moveDown()
{
    store::Cursor& shown = cursor();
    if (shown.State() == store::CursorState::Inserting && !touched()) {
        if (shown.Appended())
            return false;
        shown.Cancel(); // the record the new one stood before is the next row
        return true;
    }
    if (shown.MoveBy(1) != 0)
        return true;
    if (shown.Eof() && editable()) {
        shown.Append();
        return true;
    }
    return false;
}

void DBGrid::pageBy(int direction)
{
    cursor().MoveBy(direction * std::max(1, viewport()->height() / gridRowHeight));
}

int DBGrid::shownColumn(int from, int step) const
{
    for (int column = from; column >= 0 && column < model_->columnCount(); column += step)
        if (!isColumnHidden(column))
            return column;
    return -1;
}

void DBGrid::nextCell()
{
    if (const int next = shownColumn(currentColumn_ + 1, 1); next >= 0) {
        goToColumn(next);
        return;
    }
    if (moveDown())
        goToColumn(shownColumn(0, 1));
}

void DBGrid::priorCell()
{
    if (const int prior = shownColumn(currentColumn_ - 1, -1); prior >= 0) {
        goToColumn(prior);
        return;
    }
    if (moveUp())
        goToColumn(shownColumn(model_->columnCount() - 1, -1));
}

void DBGrid::escape()
{
    if (editedColumn_ >= 0 && cellTyping_) {
        editor_->setText(model_->data(model_->index(model_->cursorRow(), editedColumn_)).toString());
        editor_->selectAll();
        cellTyping_ = false;
        return;
    }
    closeCell();
    cursor().Cancel();
}

void DBGrid::deleteRecord()
{
    if (cursor().IsEmpty() || !dialogs().confirmDelete())
        return;
    closeCell();
    cursor().Delete();
}

// ---- keys ----

bool DBGrid::handleKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool control = modifiers == Qt::ControlModifier;
    switch (event.key()) {
    case Qt::Key_Up:
        moveUp();
        return true;
    case Qt::Key_Down:
        moveDown();
        return true;
    case Qt::Key_PageUp:
        pageBy(-1);
        return true;
    case Qt::Key_PageDown:
        pageBy(1);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (control) {
            if (event.key() == Qt::Key_Home)
                cursor().First();
            else
                cursor().Last();
        } else {
            goToColumn(event.key() == Qt::Key_Home ? shownColumn(0, 1) : shownColumn(model_->columnCount() - 1, -1));
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        // In a right-to-left grid the next column stands to the left.
        const bool towardNext = (event.key() == Qt::Key_Right) != isRightToLeft();
        goToColumn(shownColumn(currentColumn_ + (towardNext ? 1 : -1), towardNext ? 1 : -1));
        return true;
    }
    case Qt::Key_Tab:
        nextCell();
        return true;
    case Qt::Key_Backtab:
        priorCell();
        return true;
    default:
        break;
    }
    if (!editable())
        return isTyping(event); // a read-only grid swallows typing rather than searching
    switch (event.key()) {
    case Qt::Key_Insert:
        if (!plain)
            return false;
        cursor().Insert();
        return true;
    case Qt::Key_Delete:
        if (!control)
            return false;
        deleteRecord();
        return true;
    case Qt::Key_Escape:
        escape();
        return true;
    case Qt::Key_F2:
        openCell();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editedColumn_ >= 0) {
            commitCell();
            closeCell();
        } else {
            openCell();
        }
        return true;
    default:
        break;
    }
    if (!isTyping(event))
        return false;
    if (!FieldLineEdit::takesTyping(model_->field(currentColumn_), event.text())) {
        QApplication::beep(); // and nothing begins: a refused key is no change
        return true;
    }
    if (model_->cursorRow() < 0)
        beginChange(); // an empty grid: typing begins a new record
    openCell();
    if (editedColumn_ >= 0) {
        QKeyEvent typed(event.type(), event.key(), event.modifiers(), event.text());
        QCoreApplication::sendEvent(editor_, &typed);
    }
    return true;
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    bool handled = true;
    guarded([&] { handled = handleKey(*event); });
    if (handled)
        event->accept();
    else
        QTableView::keyPressEvent(event);
}

void DBGrid::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    emit keyReleased(event->key());
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor_ || event->type() != QEvent::KeyPress)
        return QTableView::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Insert:
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
        if (key.modifiers() & Qt::ControlModifier)
            break;
        return false; // the caret's keys inside the cell
    default:
        return false;
    }
    guarded([&] { handleKey(key); });
    return true;
}

// ---- mouse ----

void DBGrid::mousePressEvent(QMouseEvent* event)
{
    pressed_ = QModelIndex();
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    if (!ownsFocus(QApplication::focusWidget()))
        return; // the box that had the focus refused to be left
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (!cell.isValid())
        return;
    guarded([&] {
        const bool onCurrentCell = cell.row() == model_->cursorRow() && cell.column() == currentColumn_;
        goToRow(cell.row());
        if (model_->cursorRow() != cell.row())
            return; // the move was refused
        goToColumn(cell.column());
        pressed_ = cell;
        if (onCurrentCell)
            openCell();
    });
}

void DBGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && pressed_.isValid() && cell == pressed_)
        emit cellClicked(cell.column());
    pressed_ = QModelIndex();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        guarded([this] { openCell(); });
}

void DBGrid::mouseMoveEvent(QMouseEvent*)
{
    // Dragging selects nothing: the current row is the cursor's.
}

// ---- geometry ----

void DBGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    placeEditor();
}

void DBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeEditor();
}

void DBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        model_->setMirrored(isRightToLeft());
}

void DBGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    model_->setMirrored(isRightToLeft());
    // Catches up with what the cursor, the book or another program did while it was hidden.
    model_->setShown(true);
    followCursor();
}

void DBGrid::hideEvent(QHideEvent* event)
{
    QTableView::hideEvent(event);
    model_->setShown(false);
}

} // namespace controls
