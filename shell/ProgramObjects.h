#pragma once

#include "BookPlace.h"

#include <memory>

class TForm2;
class TFormAdministrationPermit;
class TFormAllWorker;
class TFormAllWorkerChang;
class TFormCloseYear;
class TFormDetil;
class TFormHealthPermit;
class TFormHoursPermit;
class TFormMain;
class TFormNew;
class TFormNoHirePermit;
class TFormPrint;
class TFormPrint1;

namespace store {
class TDataModule1;
}

// The program-wide objects (the thirteen of the program, and the year's close), each behind its program-wide instance pointer, owned
// here and released in reverse order of creation.
class ProgramObjects {
public:
    ProgramObjects();
    ~ProgramObjects();
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;

    // Creates them once, in their fixed order: the main window, the data module on the
    // book at `place`, then every other window, hidden. Throws what the first one that
    // cannot be created throws; those created before it stay until this is released.
    void build(const operations::BookPlace& place);

private:
    // In order of creation: members are released in reverse.
    std::unique_ptr<TFormMain> formMain_;
    std::unique_ptr<store::TDataModule1> dataModule1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TFormAllWorker> formAllWorker_;
    std::unique_ptr<TFormNew> formNew_;
    std::unique_ptr<TFormAllWorkerChang> formAllWorkerChang_;
    std::unique_ptr<TFormAdministrationPermit> formAdministrationPermit_;
    std::unique_ptr<TFormHoursPermit> formHoursPermit_;
    std::unique_ptr<TFormHealthPermit> formHealthPermit_;
    std::unique_ptr<TFormNoHirePermit> formNoHirePermit_;
    std::unique_ptr<TFormDetil> formDetil_;
    std::unique_ptr<TFormPrint> formPrint_;
    std::unique_ptr<TFormPrint1> formPrint1_;
    std::unique_ptr<TFormCloseYear> formCloseYear_;
};
