#include "UnitOfWork.h"

#include "BookConnection.h"
#include "StoreError.h"
#include "Wording.h"

namespace store {

UnitOfWork::UnitOfWork(BookConnection& connection, std::vector<Cursor*> cursors, std::string_view action)
    : connection_(connection), cursors_(std::move(cursors)), action_(connection, action)
{
    if (connection_.inUnitOfWork())
        throw StoreError(worded("UnitOfWork", "عملية أخرى على الدفتر مفتوحة بعد"));
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
        throw StoreError(worded("UnitOfWork", "تخلّى محرك الجداول عن العملية بعد خطأ سابق، ولم يُحفظ منها شيء"));
    transaction_->commit();
    committed_ = true;
}

} // namespace store
