#include "Unithourspermit.h"

using namespace Qt::Literals::StringLiterals;

TFormHoursPermit* FormHoursPermit = nullptr;

TFormHoursPermit::TFormHoursPermit()
    : controls::WorkingWindow(u"FormHoursPermit"_s, u"FormHoursPermit"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
