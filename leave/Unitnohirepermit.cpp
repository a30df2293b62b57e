#include "Unitnohirepermit.h"

using namespace Qt::Literals::StringLiterals;

TFormNoHirePermit* FormNoHirePermit = nullptr;

TFormNoHirePermit::TFormNoHirePermit()
    : controls::WorkingWindow(u"FormNoHirePermit"_s, u"FormNoHirePermit"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
