#include "Unitadministrationpermit.h"

#include "AdministrativePosting.h"
#include "DataModule.h"

using namespace Qt::Literals::StringLiterals;

TFormAdministrationPermit* FormAdministrationPermit = nullptr;

TFormAdministrationPermit::TFormAdministrationPermit() : TLeaveWindowFrame(u"FormAdministrationPermit"_s, Amounts::Days)
{
}

void TFormAdministrationPermit::post()
{
    leave::postAdministrativeLeave(*store::DataModule1, Edit2->text().toStdString(), leaveDate());
}
