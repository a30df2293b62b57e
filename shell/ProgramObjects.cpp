#include "ProgramObjects.h"

#include "DataModule.h"
#include "Unit2.h"
#include "Unitadministrationpermit.h"
#include "Unitallworker.h"
#include "Unitallworkerchang.h"
#include "Unitcloseyear.h"
#include "Unitdetil.h"
#include "Unithealthpermit.h"
#include "Unithourspermit.h"
#include "Unitmain.h"
#include "Unitnew.h"
#include "Unitnohirepermit.h"
#include "Unitp2.h"
#include "Unitprint.h"

namespace {

template <typename Object, typename... Arguments>
void create(std::unique_ptr<Object>& owner, Object*& instance, Arguments&&... arguments)
{
    owner = std::make_unique<Object>(std::forward<Arguments>(arguments)...);
    instance = owner.get();
}

} // namespace

ProgramObjects::ProgramObjects() = default;

ProgramObjects::~ProgramObjects()
{
    FormCloseYear = nullptr;
    FormPrint1 = nullptr;
    FormPrint = nullptr;
    FormDetil = nullptr;
    FormNoHirePermit = nullptr;
    FormHealthPermit = nullptr;
    FormHoursPermit = nullptr;
    FormAdministrationPermit = nullptr;
    FormAllWorkerChang = nullptr;
    FormNew = nullptr;
    FormAllWorker = nullptr;
    Form2 = nullptr;
    store::DataModule1 = nullptr;
    FormMain = nullptr;
    // The objects themselves go as members do, in reverse order of creation.
}

void ProgramObjects::build(const operations::BookPlace& place)
{
    create(formMain_, FormMain);
    create(dataModule1_, store::DataModule1, place.connect());
    create(form2_, Form2);
    create(formAllWorker_, FormAllWorker);
    create(formNew_, FormNew);
    create(formAllWorkerChang_, FormAllWorkerChang);
    create(formAdministrationPermit_, FormAdministrationPermit);
    create(formHoursPermit_, FormHoursPermit);
    create(formHealthPermit_, FormHealthPermit);
    create(formNoHirePermit_, FormNoHirePermit);
    create(formDetil_, FormDetil);
    create(formPrint_, FormPrint);
    create(formPrint1_, FormPrint1);
    create(formCloseYear_, FormCloseYear);
}
