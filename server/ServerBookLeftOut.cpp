#include "ServerBook.h"

#include "StoreError.h"
#include "Wording.h"

namespace server {
namespace {

[[noreturn]] void refuse()
{
    throw store::StoreError(store::worded("ServerBook", "هذه النسخة من البرنامج تحفظ الدفتر على هذا الحاسوب وحده: "
                                                        "لا تفتح دفتراً على خادم. افتح الدفتر المحلي بالأمر ijazat-setup --local"));
}

} // namespace

std::unique_ptr<store::BookConnection> openServerBook(const std::string&, const std::filesystem::path&, store::BookOptions)
{
    refuse();
}

ServerSetupReport setUpServerBook(const std::string&, const std::filesystem::path&, const std::vector<RoleGrant>&)
{
    refuse();
}

std::string describeServer(const std::string&)
{
    return store::worded("ServerBook", "خادم لا تصل إليه هذه النسخة");
}

} // namespace server
