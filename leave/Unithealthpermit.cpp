#include "Unithealthpermit.h"

#include "DataModule.h"
#include "DaysPosting.h"

using namespace Qt::Literals::StringLiterals;

TFormHealthPermit* FormHealthPermit = nullptr;

TFormHealthPermit::TFormHealthPermit() : TLeaveWindowFrame(u"FormHealthPermit"_s, Amounts::Days)
{
}

void TFormHealthPermit::post()
{
    leave::postDaysLeave(*store::DataModule1, leave::DaysLeave::Sick, Edit2->text().toStdString(), leaveDate());
}
