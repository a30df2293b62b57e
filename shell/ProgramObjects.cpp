#include "ProgramObjects.h"

#include "BuiltOnFirstNeed.h"
#include "DataModule.h"
#include "Unitmain.h"

ProgramObjects::ProgramObjects() = default;

ProgramObjects::~ProgramObjects()
{
    // The windows built since start-up go first, the last built first: each still has the
    // data module it was built on while it goes.
    controls::releaseBuiltWindows();
    store::DataModule1 = nullptr;
    FormMain = nullptr;
    // The objects themselves go as members do, in reverse order of creation.
}

void ProgramObjects::build(const operations::BookPlace& place)
{
    formMain_ = std::make_unique<TFormMain>();
    FormMain = formMain_.get();
    // The window shows while a large book's pages are still being read through; a posting waits for them.
    store::BookOptions options;
    options.pagesProven = store::BookOptions::PagesProven::BeforeFirstWrite;
    dataModule1_ = std::make_unique<store::TDataModule1>(place.connect(options));
    store::DataModule1 = dataModule1_.get();
}
