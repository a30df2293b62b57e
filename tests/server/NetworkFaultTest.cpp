// A desk on the server through a network that loses a reply, a server that stops answering,
// a desk that freezes inside a posting, and a restore while desks are about: the clerk is
// told the truth, no wait is for ever, the book's lock comes back to the others, and no desk
// writes into a book replaced under it.
#include "AdministrativePosting.h"
#include "BookBackup.h"
#include "BookRestore.h"
#include "ServerBook.h"
#include "ServerBookConnection.h"
#include "TcpProxy.h"
#include "TempBook.h"

#include <gtest/gtest.h>

using testing_support::TcpProxy;
using testing_support::thrownBy;

namespace {

const leave::LeaveDate march{"5", "3", "2026"};

class NetworkFaults : public ::testing::Test {
protected:
    testing_support::ServerBook book;
    TcpProxy proxy{testing_support::socketOf(book.conninfo())};
    std::int32_t worker = testing_support::addWorker(*book.open(), "سعاد");

    // A desk whose every word to the server goes through the proxy.
    std::unique_ptr<store::TDataModule1> deskThroughProxy(store::BookOptions options = {})
    {
        auto desk = std::make_unique<store::TDataModule1>(std::make_unique<server::ServerBookConnection>(
            testing_support::throughProxy(book.conninfo(), proxy), std::filesystem::temp_directory_path(), options));
        desk->TableM.FindKey(worker);
        return desk;
    }
    std::size_t entriesStored() { return book.open()->TablePermitAdmin.keysInOrder().size(); }
};

} // namespace

TEST_F(NetworkFaults, ALostCommitReplyIsToldAsTheServerKeptIt)
{
    const struct {
        TcpProxy::Fault fault;
        std::size_t stored;
        const char* told; // empty: saved, as a save without a fault
    } cases[] = {
        {TcpProxy::Fault::LoseCommitReply, 1, ""},
        {TcpProxy::Fault::LoseCommit, 0, "ولم يُحفظ شيء"},
    };
    std::size_t before = 0;
    for (const auto& lost : cases) {
        SCOPED_TRACE(lost.stored);
        auto desk = deskThroughProxy();
        const auto& wire = dynamic_cast<const server::ServerBookConnection&>(desk->connection());
        const int connected = wire.generation();
        proxy.fault(lost.fault);
        const std::string said = thrownBy([&] { leave::postAdministrativeLeave(*desk, "2", march); });
        proxy.fault(TcpProxy::Fault::None);
        if (*lost.told)
            EXPECT_NE(said.find(lost.told), std::string::npos) << said;
        else
            EXPECT_EQ(said, "nothing thrown");
        EXPECT_EQ(wire.generation(), connected + 1) << "the desk lost its connection and asked the server again";
        EXPECT_EQ(entriesStored(), before + lost.stored);
        before = entriesStored();
        EXPECT_EQ(desk->TableMAdministrationPermit.AsInteger(), int(before) * 2) << "the desk shows what the book holds";
    }
}

TEST_F(NetworkFaults, ASilentServerFailsTheActionNamingItAndTheNextActionConnectsAgain)
{
    store::BookOptions quick;
    quick.serverWaitMs = 1000;
    auto desk = deskThroughProxy(quick);
    proxy.fault(TcpProxy::Fault::Freeze);
    const std::string said = thrownBy([&] { leave::postAdministrativeLeave(*desk, "1", march); });
    EXPECT_NE(said.find("لم يُجب خادم الدفتر \u2066127.0.0.1:"), std::string::npos) << said;
    proxy.fault(TcpProxy::Fault::None);
    EXPECT_EQ(entriesStored(), 0u) << "nothing half stored";
    EXPECT_EQ(thrownBy([&] { leave::postAdministrativeLeave(*desk, "1", march); }), "nothing thrown");
    EXPECT_EQ(entriesStored(), 1u);
}

TEST_F(NetworkFaults, ADeskFrozenInsideAPostingGivesTheLockBackWithinSeconds)
{
    store::BookOptions frozen;
    frozen.idleInTransactionMs = 500;
    auto stuck = deskThroughProxy(frozen);
    stuck->connection().beginWrite(); // and never goes on: the server ends it
    auto other = book.open();
    other->TableM.FindKey(worker);
    EXPECT_EQ(thrownBy([&] { leave::postAdministrativeLeave(*other, "3", march); }), "nothing thrown");
    EXPECT_EQ(entriesStored(), 1u);
    EXPECT_NE(thrownBy([&] { stuck->connection().commit(); }), "nothing thrown") << "the frozen unit is gone";
}

TEST_F(NetworkFaults, ARestoreWaitsForTheOtherDesksAndADeskThatKnewTheOldBookNeverWritesIntoTheNew)
{
    const testing_support::TempBook scratch;
    const std::filesystem::path backup = scratch.root().parent_path() / "backup";
    operations::backUp(book.open()->connection(), backup);
    auto desk = deskThroughProxy();
    leave::postAdministrativeLeave(*desk, "1", march);
    const auto restoring = [&](const char* safe) {
        return thrownBy([&] {
            server::ServerBookConnection onServer(book.conninfo(), scratch.root());
            operations::restore(onServer, backup,
                                scratch.root().parent_path() / safe);
        });
    };
    EXPECT_NE(restoring("safe-1").find("مكاتب أخرى تفتح الدفتر"), std::string::npos);
    EXPECT_EQ(entriesStored(), 1u) << "refused with nothing changed";

    // The desk's connection drops; the restore goes ahead; the desk comes back with the old keys.
    book.administer("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name = 'ijazat' AND datname = current_database()");
    EXPECT_EQ(restoring("safe-2"), "nothing thrown");
    EXPECT_EQ(entriesStored(), 0u);
    EXPECT_NE(thrownBy([&] { leave::postAdministrativeLeave(*desk, "1", march); }).find("انقطع الاتصال"), std::string::npos);
    const std::string refused = thrownBy([&] { leave::postAdministrativeLeave(*desk, "1", march); });
    EXPECT_NE(refused.find("استُعيد الدفتر"), std::string::npos) << refused;
    EXPECT_EQ(entriesStored(), 0u) << "nothing written with the old book's keys";
}
