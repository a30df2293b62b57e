#include "ServerBooks.h"

#include "ServerBook.h"

namespace testing_support {
namespace {

class OnServer final : public AnyBook {
public:
    std::unique_ptr<store::TDataModule1> open(store::BookOptions options) const override
    {
        return database_.open(std::move(options));
    }

private:
    ServerBook database_;
};

} // namespace

BookKind serverBooks()
{
    return {"server", [] { return std::make_unique<OnServer>(); }};
}

} // namespace testing_support
