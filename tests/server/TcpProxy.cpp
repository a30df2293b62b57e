#include "TcpProxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace {

std::map<std::string, std::string> keywords(const std::string& conninfo)
{
    std::map<std::string, std::string> found;
    std::istringstream in(conninfo);
    for (std::string pair; in >> pair;)
        if (const auto equals = pair.find('='); equals != std::string::npos)
            found[pair.substr(0, equals)] = pair.substr(equals + 1);
    return found;
}

bool sendAll(int to, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t sent = send(to, bytes, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= std::size_t(sent);
    }
    return true;
}

// A COMMIT on its way, as the text of a query or of a statement parsed to run at once.
bool holdsCommit(const char* bytes, std::size_t size)
{
    return std::string_view(bytes, size).find(std::string_view("COMMIT\0", 7)) != std::string_view::npos;
}

} // namespace

std::string socketOf(const std::string& conninfo)
{
    const auto given = keywords(conninfo);
    return given.at("host") + "/.s.PGSQL." + given.at("port");
}

std::string throughProxy(const std::string& conninfo, const TcpProxy& proxy)
{
    const auto given = keywords(conninfo);
    return "host=127.0.0.1 port=" + std::to_string(proxy.port()) + " user=" + given.at("user")
           + " dbname=" + given.at("dbname") + " sslmode=disable";
}

TcpProxy::TcpProxy(std::string socketPath) : socketPath_(std::move(socketPath))
{
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener_, 16) != 0
        || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the proxy cannot listen on loopback");
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

TcpProxy::~TcpProxy()
{
    stopping_ = true;
    shutdown(listener_, SHUT_RDWR);
    close(listener_);
    acceptor_.join();
    const std::lock_guard<std::mutex> lock(pumpsGuard_);
    for (std::thread& pump : pumps_)
        pump.join();
}

void TcpProxy::acceptLoop()
{
    while (!stopping_) {
        const int desk = accept(listener_, nullptr, nullptr);
        if (desk < 0)
            return;
        const int server = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath_.c_str(), sizeof address.sun_path - 1);
        if (connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(desk);
            close(server);
            continue;
        }
        const std::lock_guard<std::mutex> lock(pumpsGuard_);
        pumps_.emplace_back([this, desk, server] { pump(desk, server); });
    }
}

void TcpProxy::pump(int desk, int server)
{
    pollfd both[2] = {{desk, POLLIN, 0}, {server, POLLIN, 0}};
    char buffer[65536];
    bool open = true;
    while (open && !stopping_) {
        if (poll(both, 2, 100) <= 0)
            continue;
        if (fault_ == Fault::Freeze)
            continue; // read nothing, send nothing
        for (int side = 0; side < 2 && open; ++side) {
            if (!(both[side].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = recv(both[side].fd, buffer, sizeof buffer, 0);
            if (got <= 0) {
                open = false;
                break;
            }
            if (delayMs_ > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_));
            const bool commit = side == 0 && holdsCommit(buffer, std::size_t(got));
            if (commit && fault_ == Fault::LoseCommit) {
                open = false;
                break;
            }
            open = sendAll(both[1 - side].fd, buffer, std::size_t(got));
            if (commit && fault_ == Fault::LoseCommitReply) {
                std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the server commits meanwhile
                open = false;
            }
        }
    }
    close(desk);
    close(server);
}

} // namespace testing_support
