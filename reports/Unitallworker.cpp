#include "Unitallworker.h"

using namespace Qt::Literals::StringLiterals;

TFormAllWorker* FormAllWorker = nullptr;

TFormAllWorker::TFormAllWorker()
    : controls::WorkingWindow(u"FormAllWorker"_s, u"FormAllWorker"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
