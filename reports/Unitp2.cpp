#include "Unitp2.h"

using namespace Qt::Literals::StringLiterals;

TFormPrint1* FormPrint1 = nullptr;

TFormPrint1::TFormPrint1()
{
    setObjectName(u"FormPrint1"_s);
}
