#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// A small TCP proxy of the tests' own, on loopback, between desks and the cluster's socket:
// it forwards, delays each way, stops answering, or loses the way round a commit.
class TcpProxy {
public:
    enum class Fault {
        None,
        Freeze,          // nothing more goes either way; connections stay open
        LoseCommitReply, // a COMMIT reaches the server, its reply never comes back: the connection drops
        LoseCommit,      // a COMMIT never reaches the server: the connection drops
    };

    // Forwards to the Unix socket `socketPath`.
    explicit TcpProxy(std::string socketPath);
    ~TcpProxy();
    TcpProxy(const TcpProxy&) = delete;
    TcpProxy& operator=(const TcpProxy&) = delete;

    int port() const { return port_; }
    void fault(Fault fault) { fault_ = fault; }
    void delay(std::chrono::milliseconds eachWay) { delayMs_ = int(eachWay.count()); }

private:
    void acceptLoop();
    void pump(int desk, int server);

    std::string socketPath_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<int> delayMs_{0};
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex pumpsGuard_;
    std::vector<std::thread> pumps_;
};

// The book's connection string through the proxy: the same database and user over TCP.
std::string throughProxy(const std::string& conninfo, const TcpProxy& proxy);
// The path of the cluster's socket a connection string names.
std::string socketOf(const std::string& conninfo);

} // namespace testing_support
