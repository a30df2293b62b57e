#include "UnitOfWork.h"

#include "BookConnection.h"
#include "StoreError.h"

namespace store {

UnitOfWork::UnitOfWork(BookConnection& connection, std::vector<Cursor*> cursors)
    : connection_(connection), cursors_(std::move(cursors))
{
    if (connection_.inUnitOfWork())
        throw StoreError("A unit of work is already open on the leave book");
    for (const Cursor* cursor : cursors_)
        snapshots_.push_back(cursor->snapshot());
    transaction_.emplace(connection_);
    connection_.setInUnitOfWork(true);
}

UnitOfWork::~UnitOfWork()
{
    connection_.setInUnitOfWork(false);
    if (committed_)
        return;
    transaction_.reset();
    for (std::size_t i = 0; i < cursors_.size(); ++i)
        cursors_[i]->restore(snapshots_[i]);
}

void UnitOfWork::commit()
{
    if (!connection_.inTransaction())
        throw StoreError("The table engine abandoned the unit of work after an earlier failure");
    transaction_->commit();
    committed_ = true;
}

} // namespace store
