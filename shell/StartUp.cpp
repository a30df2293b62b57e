#include "StartUp.h"

#include "ArabicFonts.h"
#include "DataModule.h"
#include "Guard.h"
#include "OddValueNotices.h"
#include "Unit2.h"
#include "Unitadministrationpermit.h"
#include "Unitallworker.h"
#include "Unitallworkerchang.h"
#include "Unitdetil.h"
#include "Unithealthpermit.h"
#include "Unithourspermit.h"
#include "Unitmain.h"
#include "Unitnew.h"
#include "Unitnohirepermit.h"
#include "Unitp2.h"
#include "Unitprint.h"

#include <QEventLoop>

#include <memory>

namespace {

// The thirteen program-wide objects, owned here and released in reverse order of creation.
struct Program {
    std::unique_ptr<TFormMain> formMain;
    std::unique_ptr<store::TDataModule1> dataModule1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TFormAllWorker> formAllWorker;
    std::unique_ptr<TFormNew> formNew;
    std::unique_ptr<TFormAllWorkerChang> formAllWorkerChang;
    std::unique_ptr<TFormAdministrationPermit> formAdministrationPermit;
    std::unique_ptr<TFormHoursPermit> formHoursPermit;
    std::unique_ptr<TFormHealthPermit> formHealthPermit;
    std::unique_ptr<TFormNoHirePermit> formNoHirePermit;
    std::unique_ptr<TFormDetil> formDetil;
    std::unique_ptr<TFormPrint> formPrint;
    std::unique_ptr<TFormPrint1> formPrint1;

    ~Program()
    {
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
    }
};

template <typename Object, typename... Arguments>
void create(std::unique_ptr<Object>& owner, Object*& instance, Arguments&&... arguments)
{
    owner = std::make_unique<Object>(std::forward<Arguments>(arguments)...);
    instance = owner.get();
}

void build(Program& program, const std::filesystem::path& dataRoot)
{
    create(program.formMain, FormMain);
    create(program.dataModule1, store::DataModule1, dataRoot);
    create(program.form2, Form2);
    create(program.formAllWorker, FormAllWorker);
    create(program.formNew, FormNew);
    create(program.formAllWorkerChang, FormAllWorkerChang);
    create(program.formAdministrationPermit, FormAdministrationPermit);
    create(program.formHoursPermit, FormHoursPermit);
    create(program.formHealthPermit, FormHealthPermit);
    create(program.formNoHirePermit, FormNoHirePermit);
    create(program.formDetil, FormDetil);
    create(program.formPrint, FormPrint);
    create(program.formPrint1, FormPrint1);
}

} // namespace

int startUp(const std::filesystem::path& dataRoot)
{
    controls::substituteArabicFaces();
    Program program;
    try {
        build(program, dataRoot);
    } catch (...) {
        controls::reportCurrentException();
        return 0;
    }
    tellOddValues(store::DataModule1->connection());
    QEventLoop loop;
    QObject::connect(FormMain, &controls::WorkingWindow::closed, &loop, &QEventLoop::quit);
    controls::showMaximisedOnScreen(*FormMain);
    loop.exec();
    return 0;
}
