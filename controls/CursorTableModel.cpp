#include "CursorTableModel.h"

#include "ClerkAction.h"
#include "Cursor.h"
#include "DataSource.h"
#include "Dialogs.h"
#include "Field.h"

#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace controls {
namespace {

// Rows kept read beyond the ones on screen; a few screens' worth.
constexpr std::size_t rowCacheLimit = 512;

Qt::Alignment qtAlignment(store::FieldAlignment alignment, store::FieldType type)
{
    switch (alignment) {
    case store::FieldAlignment::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case store::FieldAlignment::Right:
        // A right-aligned text (the worker's name) keeps to the right edge in either reading
        // order, a Latin name too; a figure's right alignment is mirrored in a right-to-left
        // grid, so figures stand at the cell's left edge there.
        if (type == store::FieldType::Text)
            return Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
        return Qt::AlignRight | Qt::AlignVCenter;
    case store::FieldAlignment::Center:
        break;
    }
    return Qt::AlignCenter;
}

} // namespace

CursorTableModel::CursorTableModel(store::DataSource& source, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), source_(source), columns_(std::move(columns))
{
    for (const GridColumn& column : columns_)
        positions_.push_back(cursor().table().fieldPosition(column.fieldName));
    source_.addLink(*this);
}

CursorTableModel::~CursorTableModel()
{
    source_.removeLink(*this);
}

store::Cursor& CursorTableModel::cursor() const
{
    return source_.DataSet();
}

store::Field& CursorTableModel::field(int column) const
{
    return *cursor().Fields()[std::size_t(positions_[std::size_t(column)])];
}

int CursorTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : keys_.size() + (newRow_ >= 0 ? 1 : 0);
}

int CursorTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

std::optional<std::int32_t> CursorTableModel::keyAt(int row) const
{
    if (newRow_ >= 0) {
        if (row == newRow_)
            return std::nullopt;
        if (row > newRow_)
            --row;
    }
    return keys_.keyAt(row);
}

const store::Row* CursorTableModel::storedRow(std::int32_t key) const
{
    const auto cached = rowCache_.find(key);
    if (cached != rowCache_.end() && (!cached->second.stale || readsHeld_))
        return &cached->second.values;
    if (readsHeld_)
        return nullptr;
    std::optional<store::Row> row;
    try {
        ++recordsRead_;
        row = cursor().storedRecord(key);
    } catch (const std::exception& error) {
        readFailed(error);
        return cached != rowCache_.end() ? &cached->second.values : nullptr;
    }
    if (!row)
        return nullptr; // removed by another program since the keys were read
    if (rowCache_.size() >= rowCacheLimit)
        rowCache_.clear();
    ShownRow& shown = rowCache_[key];
    shown = {std::move(*row), false};
    return &shown.values;
}

void CursorTableModel::readFailed(const std::exception& error) const noexcept
{
    if (readsHeld_)
        return;
    readsHeld_ = true;
    auto* self = const_cast<CursorTableModel*>(this);
    ClerkAction::atNextAction(self, [self] {
        self->outOfStep_ = true;
        if (self->shown_)
            self->catchUp();
        else
            self->resumeReads();
    });
    // Rows are read while the grid paints: the failure is shown once painting is over.
    const QString message = u"تعذرت قراءة القائمة من الدفتر، فبقيت كما كانت: "_s + QString::fromUtf8(error.what());
    QMetaObject::invokeMethod(
        self,
        [message, action = ClerkAction::current()] { reportException(message, action); }, Qt::QueuedConnection);
}

void CursorTableModel::resumeReads() noexcept
{
    if (!readsHeld_)
        return;
    readsHeld_ = false;
    // Rows left blank or as they were by the failure are read again as they are shown.
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString CursorTableModel::text(int row, int column) const
{
    if (row == cursorRow_ && showsPending_)
        return QString::fromStdString(field(column).Text());
    const std::optional<std::int32_t> key = keyAt(row);
    if (!key)
        return {};
    const store::Row* values = storedRow(*key);
    return values ? QString::fromStdString(store::valueText((*values)[std::size_t(positions_[std::size_t(column)])]))
                  : QString();
}

QVariant CursorTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const GridColumn& shown = column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(shown.alignment.value_or(field(index.column()).Alignment()),
                                               field(index.column()).DataType()));
    case Qt::BackgroundRole:
        return shown.colour.isValid() ? QVariant(shown.colour) : QVariant();
    default:
        return {};
    }
}

QVariant CursorTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return column(section).title;
        if (role == Qt::ForegroundRole && column(section).titleColour.isValid())
            return column(section).titleColour;
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    if (section != cursorRow_)
        return QVariant(QString());
    switch (cursor().State()) {
    case store::CursorState::Inserting:
        return QString(u'\u2731'); // a star: a new record
    case store::CursorState::Editing:
        return QString(u'\u270E'); // a pencil: a changed record
    default:
        return QString(mirrored_ ? u'\u25C4' : u'\u25BA'); // a pointer toward the cells
    }
}

void CursorTableModel::setMirrored(bool mirrored)
{
    mirrored_ = mirrored;
    if (cursorRow_ >= 0)
        emit rowMarkChanged(cursorRow_);
}

int CursorTableModel::newRowPosition() const
{
    const store::Cursor& shown = cursor();
    if (shown.State() != store::CursorState::Inserting)
        return -1;
    if (shown.Appended())
        return keys_.size();
    const std::optional<std::int32_t> anchor = shown.standingKey();
    const int row = anchor ? keys_.rowOf(*anchor) : -1;
    return row < 0 ? 0 : row;
}

void CursorTableModel::reload() noexcept
{
    resumeReads();
    std::vector<std::int32_t> keys;
    std::int64_t readAt = -1;
    try {
        ++keyReads_;
        readAt = cursor().tableChanges();
        keys = cursor().keysInOrder();
    } catch (const std::exception& error) {
        readFailed(error); // the list keeps the rows it had
        return;
    }
    beginResetModel();
    keys_.replace(std::move(keys), readAt);
    outOfStep_ = false;
    for (auto& [key, shown] : rowCache_)
        shown.stale = true;
    newRow_ = newRowPosition();
    placeCursorRow();
    endResetModel();
    emit cursorRowChanged();
}

bool CursorTableModel::keysStale() noexcept
{
    try {
        return keys_.staleAgainst(cursor().tableChanges());
    } catch (const std::exception& error) {
        readFailed(error);
        return false;
    }
}

void CursorTableModel::catchUp() noexcept
{
    resumeReads();
    if (outOfStep_ || keysStale())
        reload();
}

void CursorTableModel::setShown(bool shown) noexcept
{
    shown_ = shown;
    if (shown_)
        catchUp();
}

bool CursorTableModel::unseen() noexcept
{
    if (shown_)
        return false;
    outOfStep_ = true;
    return true;
}

void CursorTableModel::placeCursorRow()
{
    if (newRow_ >= 0) {
        cursorRow_ = newRow_;
    } else {
        const std::optional<std::int32_t> key = cursor().standingKey();
        cursorRow_ = key ? keys_.rowOf(*key) : -1;
    }
    showsPending_ = cursorRow_ >= 0 && cursor().State() != store::CursorState::Browsing;
}

void CursorTableModel::followCursor() noexcept
{
    resumeReads();
    if (outOfStep_ || keysStale()) {
        // Records were written since the keys were read, through another cursor or by another program.
        reload();
        return;
    }
    const int wanted = newRowPosition();
    if (wanted != newRow_) {
        // While rows come and go every row shows as stored, so the neighbours stay as they were.
        if (newRow_ >= 0) {
            beginRemoveRows({}, newRow_, newRow_);
            newRow_ = cursorRow_ = -1;
            showsPending_ = false;
            endRemoveRows();
        }
        if (wanted >= 0) {
            beginInsertRows({}, wanted, wanted);
            newRow_ = cursorRow_ = wanted;
            showsPending_ = false;
            endInsertRows();
        }
    }
    const int previous = cursorRow_;
    if (const std::optional<std::int32_t> key = cursor().standingKey()) {
        // Read again: it may just have been posted or read again.
        if (const auto cached = rowCache_.find(*key); cached != rowCache_.end())
            cached->second.stale = true;
    }
    placeCursorRow();
    emitRowChanged(previous);
    emitRowChanged(cursorRow_);
    emit cursorRowChanged();
}

void CursorTableModel::emitRowChanged(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    // Cell by cell: a grid repaints one changed cell alone, but the whole of itself for a row.
    for (int column = 0; column < columnCount(); ++column)
        emit dataChanged(index(row, column), index(row, column));
    emit rowMarkChanged(row);
}

void CursorTableModel::recordChanged()
{
    if (!unseen())
        followCursor();
}

void CursorTableModel::stateChanged() noexcept
{
    if (!unseen())
        followCursor();
}

void CursorTableModel::dataSetChanged() noexcept
{
    if (!unseen())
        reload();
}

void CursorTableModel::fieldChanged(const store::Field&)
{
    if (!unseen())
        emitRowChanged(cursorRow_);
}

void CursorTableModel::rowWritten(std::int32_t key, store::RowChange change, std::int64_t ownWrites) noexcept
{
    if (unseen())
        return;
    if (outOfStep_) {
        reload(); // a list already behind reads its keys again rather than patch them
        return;
    }
    keys_.takeOwnWrites(ownWrites);
    switch (change) {
    case store::RowChange::Changed:
        if (const auto cached = rowCache_.find(key); cached != rowCache_.end())
            cached->second.stale = true;
        emitRowChanged(keys_.rowOf(key));
        return;
    case store::RowChange::Removed: {
        const int row = keys_.rowOf(key);
        if (row < 0)
            return;
        const int shownRow = newRow_ >= 0 && newRow_ <= row ? row + 1 : row;
        beginRemoveRows({}, shownRow, shownRow);
        keys_.remove(row);
        rowCache_.erase(key);
        if (newRow_ > row)
            --newRow_;
        placeCursorRow();
        endRemoveRows();
        return;
    }
    case store::RowChange::Added:
        break;
    }
    if (newRow_ >= 0) {
        beginRemoveRows({}, newRow_, newRow_);
        newRow_ = cursorRow_ = -1;
        showsPending_ = false;
        endRemoveRows();
    }
    std::optional<std::int32_t> before;
    try {
        before = cursor().keyBeforeCurrent();
    } catch (const std::exception& error) {
        readFailed(error);
        outOfStep_ = true; // read in full at the next move
        return;
    }
    const int row = before ? keys_.rowOf(*before) + 1 : 0;
    if (before && row == 0) {
        outOfStep_ = true; // a neighbour the list never read: read in full at the next move
        return;
    }
    beginInsertRows({}, row, row);
    keys_.insert(row, key);
    placeCursorRow();
    endInsertRows();
}

} // namespace controls
