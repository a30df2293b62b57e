#pragma once

#include "BookPlace.h"

#include <memory>

class TFormMain;

namespace store {
class TDataModule1;
}

// The program-wide objects, each behind its program-wide instance pointer: the main window
// and the data module made at start-up, every other window built the first time it is needed
// (see BuiltOnFirstNeed.h); all released in reverse order of creation.
class ProgramObjects {
public:
    ProgramObjects();
    ~ProgramObjects();
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;

    // Creates the main window, then the data module on the book at `place`. Throws what the
    // first that cannot be created throws; one created before it stays until this is released.
    void build(const operations::BookPlace& place);

private:
    // In order of creation: members are released in reverse.
    std::unique_ptr<TFormMain> formMain_;
    std::unique_ptr<store::TDataModule1> dataModule1_;
};
