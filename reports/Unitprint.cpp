#include "Unitprint.h"

using namespace Qt::Literals::StringLiterals;

TFormPrint* FormPrint = nullptr;

TFormPrint::TFormPrint()
{
    setObjectName(u"FormPrint"_s);
}
