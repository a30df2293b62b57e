#include "Unitallworkerchang.h"

using namespace Qt::Literals::StringLiterals;

TFormAllWorkerChang* FormAllWorkerChang = nullptr;

TFormAllWorkerChang::TFormAllWorkerChang()
    : controls::WorkingWindow(u"FormAllWorkerChang"_s, u"FormAllWorkerChang"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
