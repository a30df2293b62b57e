#include "Cursor.h"

#include "BookConnection.h"
#include "DataLink.h"
#include "DataSource.h"
#include "Isolated.h"
#include "MasterLink.h"
#include "StoreError.h"
#include "Wording.h"
#include "WriteTransaction.h"

#include <algorithm>
#include <limits>

namespace store {

Cursor::Cursor(BookConnection& connection, const TableDef& table, CursorOrder order, std::string name)
    : connection_(connection), access_(connection, table, order), name_(std::move(name))
{
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        fields_.push_back(std::make_unique<Field>(*this, table.fields[i], int(i)));
}

Cursor::~Cursor() = default;

template <typename Event> void Cursor::notify(Event event) const
{
    // By index: a data source made or dropped while its cursor tells (never, in the program)
    // must not leave the loop on a moved vector.
    for (std::size_t i = 0; i < sources_.size(); ++i)
        sources_[i]->notify(event);
}

bool Cursor::ControlsDisabled() const
{
    return controlsDisabled_ > 0 || (master_ && master_->masterControlsDisabled());
}

template <typename Event> void Cursor::notifyShown(Event event) const
{
    if (!ControlsDisabled()) {
        notify(event);
        return;
    }
    controlsMissedEvents_ = true;
    notify([&event](DataLink& link) {
        if (!link.isControl())
            event(link);
    });
}

void Cursor::notifyState() const
{
    notifyShown([](DataLink& link) { link.stateChanged(); });
}

void Cursor::notifyRecord() const
{
    notifyShown([](DataLink& link) { link.recordChanged(); });
}

void Cursor::notifyDataSet() const
{
    notifyShown([](DataLink& link) { link.dataSetChanged(); });
}

void Cursor::notifyWritten(std::int32_t key, RowChange change, std::int64_t writesBefore) const
{
    const std::int64_t writes = connection_.ownWrites(table()) - writesBefore;
    notifyShown([=](DataLink& link) { link.rowWritten(key, change, writes); });
}

void Cursor::EnableControls() noexcept
{
    if (controlsDisabled_ > 0)
        --controlsDisabled_;
    catchUpControls();
}

void Cursor::catchUpControls() noexcept
{
    if (ControlsDisabled())
        return;
    if (controlsMissedEvents_) {
        controlsMissedEvents_ = false;
        notify([](DataLink& link) {
            if (!link.isControl())
                return;
            link.stateChanged();
            link.dataSetChanged();
        });
    }
    notify([](DataLink& link) {
        if (!link.isControl())
            link.controlsEnabled(); // the entry cursors that followed catch up too
    });
}

void Cursor::addSource(DataSource& source)
{
    sources_.push_back(&source);
}

void Cursor::removeSource(DataSource& source)
{
    sources_.erase(std::remove(sources_.begin(), sources_.end(), &source), sources_.end());
}

Field& Cursor::FieldByName(std::string_view fieldName) const
{
    return *fields_[std::size_t(table().fieldPosition(fieldName))];
}

std::optional<std::int32_t> Cursor::currentKey() const
{
    if (state_ == CursorState::Inserting || !current_)
        return std::nullopt;
    return autoOf(*current_);
}

std::optional<std::int32_t> Cursor::standingKey() const
{
    return current_ ? std::optional<std::int32_t>(autoOf(*current_)) : std::nullopt;
}

std::vector<std::int32_t> Cursor::keysInOrder() const
{
    if (!Active() || !seesRecords())
        return {};
    return access_.keys(range_.value_or(0));
}

std::optional<std::int32_t> Cursor::keyBeforeCurrent() const
{
    if (!current_)
        return std::nullopt;
    const std::vector<Row> before = seekBefore(*current_, 1);
    return before.empty() ? std::nullopt : std::optional<std::int32_t>(autoOf(before.front()));
}

std::optional<Row> Cursor::storedRecord(std::int32_t key) const
{
    requireOpen();
    return access_.stored(key);
}

std::int64_t Cursor::tableChanges() const
{
    return connection_.tableChanges(table());
}

const FieldValue& Cursor::value(int position) const
{
    static const FieldValue empty;
    if (state_ == CursorState::Inserting || state_ == CursorState::Editing)
        return pending_.values[std::size_t(position)];
    return current_ ? (*current_)[std::size_t(position)] : empty;
}

void Cursor::assign(const Field& field, FieldValue value)
{
    requireOpen();
    if (state_ == CursorState::Browsing)
        throw StoreError(worded("Cursor", "المؤشر %1 ليس في وضع التعديل أو الإضافة: لا يُكتب الحقل %2")
                             .arg(isolatedLeftToRight(name_))
                             .arg(isolatedLeftToRight(field.FieldName())));
    if (field.ReadOnly())
        throw StoreError(worded("Cursor", "الحقل %1 لا يُعدَّل").arg(isolatedLeftToRight(field.FieldName())));
    pending_.assign(std::size_t(field.position()), std::move(value));
    notifyShown([&field](DataLink& link) { link.fieldChanged(field); });
}

void Cursor::requireOpen() const
{
    if (!Active())
        throw StoreError(worded("Cursor", "المؤشر %1 مغلق").arg(isolatedLeftToRight(name_)));
}

// ---- seeks, honouring an entry cursor's range ----

bool Cursor::seesRecords() const
{
    return !access_.ranged() || range_.has_value();
}

std::optional<Row> Cursor::seekFirst() const
{
    return seesRecords() ? access_.first(range_.value_or(0)) : std::nullopt;
}

std::optional<Row> Cursor::seekLast() const
{
    return seesRecords() ? access_.last(range_.value_or(0)) : std::nullopt;
}

std::vector<Row> Cursor::seekAfter(const Row& from, int count) const
{
    return seesRecords() ? access_.after(from, range_.value_or(0), count) : std::vector<Row>();
}

std::vector<Row> Cursor::seekBefore(const Row& from, int count) const
{
    return seesRecords() ? access_.before(from, range_.value_or(0), count) : std::vector<Row>();
}

std::optional<Row> Cursor::followerOrLast(const Row& gone, bool& wasLast) const
{
    std::vector<Row> following = seekAfter(gone, 1);
    wasLast = following.empty();
    return wasLast ? seekLast() : std::optional<Row>(std::move(following.front()));
}

// ---- opening and closing ----

void Cursor::Open()
{
    if (Active())
        return;
    connection_.openTable(table());
    if (master_)
        range_ = master_->rangeValue();
    state_ = CursorState::Browsing;
    current_ = seekFirst();
    bof_ = true;
    eof_ = !current_;
    notifyState();
    notifyDataSet();
    notifyRecord();
}

void Cursor::Close()
{
    if (!Active())
        return;
    state_ = CursorState::Closed;
    current_.reset();
    pending_ = {};
    bof_ = eof_ = true;
    notifyState();
    notifyDataSet();
}

// ---- settling ----

void Cursor::settleDetails()
{
    notify([](DataLink& link) { link.checkBrowseMode(); });
}

void Cursor::handOver()
{
    notify([](DataLink& link) { link.updateData(); });
}

void Cursor::CheckBrowseMode()
{
    requireOpen();
    settleDetails();
    if (state_ == CursorState::Browsing)
        return;
    handOver();
    if (pending_.modified)
        write();
    else
        dropChange();
}

// ---- moves ----

void Cursor::First()
{
    CheckBrowseMode();
    current_ = seekFirst();
    bof_ = true;
    eof_ = !current_;
    notifyRecord();
}

void Cursor::Last()
{
    CheckBrowseMode();
    current_ = seekLast();
    eof_ = true;
    bof_ = !current_;
    notifyRecord();
}

void Cursor::Next()
{
    MoveBy(1);
}

void Cursor::Prior()
{
    MoveBy(-1);
}

int Cursor::MoveBy(int distance)
{
    CheckBrowseMode();
    if (distance == 0)
        return 0;
    if (!current_) {
        // Standing on nothing: whatever another program added since is read from the start.
        current_ = seekFirst();
        bof_ = true;
        eof_ = !current_;
        notifyRecord();
        return 0;
    }
    const int steps = distance == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max()
                                                                   : std::abs(distance);
    const std::vector<Row> passed = distance > 0 ? seekAfter(*current_, steps) : seekBefore(*current_, steps);
    if (!passed.empty())
        current_ = passed.back();
    const bool stopped = int(passed.size()) < steps;
    if (distance > 0) {
        bof_ = false;
        eof_ = stopped;
    } else {
        eof_ = false;
        bof_ = stopped;
    }
    notifyRecord();
    return distance > 0 ? int(passed.size()) : -int(passed.size());
}

bool Cursor::FindKey(std::int32_t key)
{
    CheckBrowseMode();
    std::optional<Row> found = seesRecords() ? access_.byAuto(key, range_.value_or(0)) : std::nullopt;
    if (!found)
        return false;
    current_ = std::move(found);
    bof_ = eof_ = false;
    notifyRecord();
    return true;
}

void Cursor::FindNearest(std::string_view text)
{
    if (access_.order() != CursorOrder::ByWorkerName)
        throw StoreError(worded("Cursor", "المؤشر %1 غير مرتب بالأسماء").arg(isolatedLeftToRight(name_)));
    CheckBrowseMode();
    current_ = access_.atOrAfterName(std::string(text));
    if (!current_)
        current_ = seekLast();
    bof_ = eof_ = !current_;
    notifyRecord();
}

// ---- changes ----

void Cursor::beginInsert(bool appended)
{
    CheckBrowseMode();
    pending_ = PendingChange::ofNewRecord(fields_.size(), appended);
    if (master_ && range_) {
        // The link's copy of the worker's Auto is not a change of the user's.
        pending_.values[std::size_t(table().fieldPosition("Index"))] = *range_;
    }
    state_ = CursorState::Inserting;
    notifyState();
    notifyRecord();
}

void Cursor::Insert()
{
    beginInsert(false);
}

void Cursor::Append()
{
    beginInsert(true);
}

void Cursor::Edit()
{
    requireOpen();
    if (state_ != CursorState::Browsing)
        return;
    if (!current_) {
        Insert();
        return;
    }
    settleDetails();
    std::optional<Row> stored = access_.stored(autoOf(*current_));
    if (!stored)
        throw StoreError(recordDeletedElsewhere);
    current_ = stored;
    pending_ = PendingChange::ofEdit(std::move(*stored));
    state_ = CursorState::Editing;
    notifyState();
    notifyRecord();
}

void Cursor::Post()
{
    requireOpen();
    if (state_ == CursorState::Browsing)
        throw StoreError(worded("Cursor", "المؤشر %1 ليس في وضع التعديل أو الإضافة").arg(isolatedLeftToRight(name_)));
    handOver();
    settleDetails();
    write();
}

void Cursor::write()
{
    const bool inserting = state_ == CursorState::Inserting;
    const std::int64_t writesBefore = connection_.ownWrites(table());
    WriteTransaction transaction(connection_);
    std::int32_t key = 0;
    if (inserting) {
        key = access_.insert(pending_.values);
    } else {
        key = autoOf(*current_);
        access_.update(key, pending_.values, pending_.assigned);
    }
    std::optional<Row> stored = access_.stored(key);
    if (!stored)
        throw StoreError(recordDeletedElsewhere);
    transaction.commit();

    current_ = std::move(stored);
    state_ = CursorState::Browsing;
    pending_ = {};
    bof_ = eof_ = false;
    notifyWritten(key, inserting ? RowChange::Added : RowChange::Changed, writesBefore);
    notifyState();
    notifyRecord();
}

void Cursor::dropChange()
{
    state_ = CursorState::Browsing;
    pending_ = {};
    notifyState();
    notifyRecord();
}

void Cursor::Cancel()
{
    requireOpen();
    if (state_ != CursorState::Browsing)
        dropChange();
}

void Cursor::Delete()
{
    requireOpen();
    if (state_ == CursorState::Inserting) {
        dropChange();
        return;
    }
    if (!current_)
        throw StoreError(worded("Cursor", "لا سجل في المؤشر %1 ليُحذف").arg(isolatedLeftToRight(name_)));
    settleDetails();
    const std::int32_t removed = autoOf(*current_);
    const std::int64_t writesBefore = connection_.ownWrites(table());
    WriteTransaction transaction(connection_);
    access_.remove(removed);
    bool wasLast = false;
    std::optional<Row> next = followerOrLast(*current_, wasLast);
    transaction.commit();

    current_ = std::move(next);
    state_ = CursorState::Browsing;
    pending_ = {};
    bof_ = !current_;
    eof_ = wasLast;
    notifyWritten(removed, RowChange::Removed, writesBefore);
    notifyState();
    notifyRecord();
}

void Cursor::Refresh()
{
    CheckBrowseMode();
    if (current_) {
        std::optional<Row> again = seesRecords() ? access_.byAuto(autoOf(*current_), range_.value_or(0)) : std::nullopt;
        if (!again) {
            // Removed by another program: stand on what followed it.
            bool wasLast = false;
            again = followerOrLast(*current_, wasLast);
        }
        current_ = std::move(again);
    } else {
        current_ = seekFirst();
    }
    if (!current_)
        bof_ = eof_ = true;
    notifyDataSet();
    notifyRecord();
}

// ---- master link ----

void Cursor::applyRange(std::optional<std::int32_t> range)
{
    range_ = range;
    current_ = seekFirst();
    bof_ = true;
    eof_ = !current_;
    notifyDataSet();
    notifyRecord();
}

// ---- units of work ----

CursorSnapshot Cursor::snapshot() const
{
    return CursorSnapshot{state_, current_, pending_, bof_, eof_, range_};
}

void Cursor::restore(const CursorSnapshot& snapshot)
{
    state_ = snapshot.state;
    current_ = snapshot.current;
    pending_ = snapshot.pending;
    bof_ = snapshot.bof;
    eof_ = snapshot.eof;
    range_ = snapshot.range;
    notifyState();
    notifyDataSet();
}

} // namespace store
