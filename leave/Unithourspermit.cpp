#include "Unithourspermit.h"

#include "DataModule.h"
#include "HourlyPosting.h"

using namespace Qt::Literals::StringLiterals;

TFormHoursPermit* FormHoursPermit = nullptr;

TFormHoursPermit::TFormHoursPermit() : TLeaveWindowFrame(u"FormHoursPermit"_s, Amounts::HoursAndMinutes)
{
}

void TFormHoursPermit::post()
{
    leave::postHourlyLeave(*store::DataModule1, Edit2->text().toStdString(), Edit3->text().toStdString(), leaveDate());
}
