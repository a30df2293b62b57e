#pragma once

#include <cstdint>

namespace store {
class TDataModule1;
}

namespace leave {

// The worker's administrative days beyond the yearly entitlement, as TableM now holds
// them: AdministrationPermit minus YearPermit when positive, else 0. Throws StoreError
// when the figure lies outside what the book can store.
std::int32_t storedExcess(const store::TDataModule1& book);

// Writes the excess on the worker record: Edit, ExcessMonth, Post on TableM.
void writeWorkerExcess(store::TDataModule1& book, std::int32_t excess);

} // namespace leave
