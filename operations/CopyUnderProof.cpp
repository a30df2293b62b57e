#include "CopyUnderProof.h"

#include "DurableFile.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "LocalBookFiles.h"
#include "Schema.h"
#include "StoreError.h"
#include "Wording.h"

namespace operations {

using store::StoreError;
using store::worded;

CopyUnderProof::CopyUnderProof(std::filesystem::path target,
                               const std::function<void(const std::filesystem::path& aside)>& fill)
    : target_(std::move(target))
{
    if (std::filesystem::exists(target_))
        throw StoreError(worded("BookBackup", "لا يُنسخ الدفتر إلى %1: المجلد موجود من قبل")
                             .arg(store::isolatedLeftToRight(target_.string())));
    // What a killed copy left beside it goes first; a live one's stays.
    store::removeLeftovers(target_.parent_path(), "", ".partial-");
    aside_ = store::asideOf(target_, ".partial-");
    std::filesystem::remove_all(aside_);
    try {
        fill(aside_);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(aside_, ignored);
        throw;
    }
    proof_ = std::async(std::launch::async, [aside = aside_] {
        for (const store::TableDef* table : store::allTables())
            platform::keepOnDisk(table->pathUnder(aside)); // before any connection locks it
        return store::bookFileProblem(aside, store::Proof::Pages);
    });
}

CopyUnderProof::~CopyUnderProof()
{
    if (proof_.valid())
        proof_.wait(); // its files are read until it answers
    if (!aside_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(aside_, ignored);
    }
}

void CopyUnderProof::keep()
{
    if (auto problem = proof_.get())
        throw StoreError(worded("BookBackup", "لم تسلم النسخة الاحتياطية من الفحص: %1").arg(*problem));
    std::filesystem::create_directories(target_.parent_path());
    std::filesystem::rename(aside_, target_);
    aside_.clear();
}

} // namespace operations
