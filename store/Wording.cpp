#include "Wording.h"

namespace store {
namespace {

Translation& spoken()
{
    static Translation translation;
    return translation;
}

} // namespace

void speakThrough(Translation translation)
{
    spoken() = std::move(translation);
}

Wording::Wording(const char* context, const char* text)
    : said_(spoken() ? spoken()(context, text) : std::string(text))
{
}

Wording&& Wording::arg(std::string value) &&
{
    values_.push_back(std::move(value));
    return std::move(*this);
}

Wording&& Wording::arg(long long value) &&
{
    return std::move(*this).arg(std::to_string(value));
}

std::string Wording::text() const
{
    // One pass over the text: a value that itself holds "%2" (a name typed so) stays as typed.
    std::string out;
    out.reserve(said_.size());
    for (std::size_t at = 0; at < said_.size(); ++at) {
        const char next = at + 1 < said_.size() ? said_[at + 1] : '\0';
        if (said_[at] == '%' && next >= '1' && next <= '9' && std::size_t(next - '1') < values_.size()) {
            out += values_[std::size_t(next - '1')];
            ++at;
        } else {
            out += said_[at];
        }
    }
    return out;
}

} // namespace store
