#pragma once

#include <functional>
#include <string>
#include <vector>

namespace store {

// What the book says to a person is written in Arabic, the book's own language, each text
// under a context (the unit that says it). A program may speak it in another language: the
// toolbox does for a user whose locale is not Arabic. Values go in for %1..%9 after the text
// is put in that language, so a translation may order them as its language needs.
class Wording {
public:
    Wording(const char* context, const char* text);

    Wording&& arg(std::string value) &&;
    Wording&& arg(long long value) &&;

    std::string text() const;
    operator std::string() const { return text(); }

private:
    std::string said_;
    std::vector<std::string> values_;
};

// How a text is looked up in the language spoken: the Arabic text itself unless one is put on.
using Translation = std::function<std::string(const char* context, const char* text)>;
void speakThrough(Translation);

inline Wording worded(const char* context, const char* text)
{
    return Wording(context, text);
}

} // namespace store
