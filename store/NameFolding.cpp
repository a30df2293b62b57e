#include "NameFolding.h"

#include "Schema.h"

#include <array>

namespace store {
namespace {

struct Folding {
    const char* from;
    const char* to;
};

// Fixed letters of our own, never text the clerk typed: an index expression cannot bind
// values, and a search folds its bound text through this same expression.
constexpr std::array foldings{
    Folding{"\u0623", "\u0627"}, // أ
    Folding{"\u0625", "\u0627"}, // إ
    Folding{"\u0622", "\u0627"}, // آ
    Folding{"\u0671", "\u0627"}, // ٱ
    Folding{"\u0629", "\u0647"}, // ة -> ه
    Folding{"\u0649", "\u064A"}, // ى -> ي
    Folding{"\u0624", "\u0648"}, // ؤ -> و
    Folding{"\u0626", "\u064A"}, // ئ -> ي
    Folding{"\u064B", ""},       // fathatan
    Folding{"\u064C", ""},       // dammatan
    Folding{"\u064D", ""},       // kasratan
    Folding{"\u064E", ""},       // fatha
    Folding{"\u064F", ""},       // damma
    Folding{"\u0650", ""},       // kasra
    Folding{"\u0651", ""},       // shadda
    Folding{"\u0652", ""},       // sukun
    Folding{"\u0670", ""},       // superscript alef
    Folding{"\u0640", ""},       // tatweel
};

} // namespace

std::string foldedNameSql(std::string_view operand)
{
    std::string expression = "lower(" + std::string(operand) + ")";
    for (const Folding& folding : foldings)
        expression = "replace(" + expression + ", '" + folding.from + "', '" + folding.to + "')";
    return expression;
}

std::string foldedNameIndexStatement()
{
    const std::string name = sqlName(workerTable().indexField);
    return "CREATE INDEX " + sqlName(foldedNameIndex) + " ON " + sqlName(workerTable().name) + " ("
           + foldedNameSql(name) + ", " + name + ")";
}

} // namespace store
