#include "Unitdetil.h"

using namespace Qt::Literals::StringLiterals;

TFormDetil* FormDetil = nullptr;

TFormDetil::TFormDetil()
    : controls::WorkingWindow(u"FormDetil"_s, u"FormDetil"_s, QColor(0x00, 0x63, 0x93)), BitBtn1(addCloseButton())
{
}
