#include "Unitnew.h"

using namespace Qt::Literals::StringLiterals;

TFormNew* FormNew = nullptr;

TFormNew::TFormNew()
    : controls::WorkingWindow(u"FormNew"_s, u"الإجازات"_s, QColor(0x00, 0x6F, 0xA4)), BitBtn1(addCloseButton())
{
}
