#include "Unitnohirepermit.h"

#include "DataModule.h"
#include "DaysPosting.h"

using namespace Qt::Literals::StringLiterals;

TFormNoHirePermit* FormNoHirePermit = nullptr;

TFormNoHirePermit::TFormNoHirePermit() : TLeaveWindowFrame(u"FormNoHirePermit"_s, Amounts::Days)
{
}

void TFormNoHirePermit::post()
{
    leave::postDaysLeave(*store::DataModule1, leave::DaysLeave::Unpaid, Edit2->text().toStdString(), leaveDate());
}
