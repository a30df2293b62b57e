#include "Unithealthpermit.h"

using namespace Qt::Literals::StringLiterals;

TFormHealthPermit* FormHealthPermit = nullptr;

TFormHealthPermit::TFormHealthPermit()
    : controls::WorkingWindow(u"FormHealthPermit"_s, u"FormHealthPermit"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
