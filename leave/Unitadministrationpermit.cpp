#include "Unitadministrationpermit.h"

using namespace Qt::Literals::StringLiterals;

TFormAdministrationPermit* FormAdministrationPermit = nullptr;

TFormAdministrationPermit::TFormAdministrationPermit()
    : controls::WorkingWindow(u"FormAdministrationPermit"_s, u"FormAdministrationPermit"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
