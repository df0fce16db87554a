// A Wayland desktop that offers only the standard data-control protocol, made from one that
// offers only the wlr one: a relay between its clients and the compositor that renames the
// wlr manager's global to ext_data_control_manager_v1 (version 1) and renames the binds back.
// The two protocols are the same on the wire but for those names, so everything else passes
// through as it is, file descriptors included.
// Usage: ext_relay COMPOSITOR_SOCKET RELAY_SOCKET   (prints "ready" once it listens)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <poll.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr const char* Wlr = "zwlr_data_control_manager_v1";
constexpr const char* Ext = "ext_data_control_manager_v1";

// One direction of one client's connection: bytes not yet a whole message, fds not yet sent.
struct TStream {
    int From, To;
    std::vector<uint8_t> Bytes;
    std::vector<int> Fds;
};

struct TClient {
    TStream Requests, Events;
    std::set<uint32_t> Registries;
};

uint32_t Word(const uint8_t* p) {
    uint32_t w = 0;
    std::memcpy(&w, p, 4);
    return w;
}

void Put(std::vector<uint8_t>& out, uint32_t w) {
    const auto* p = reinterpret_cast<const uint8_t*>(&w);
    out.insert(out.end(), p, p + 4);
}

// A message of (uint, string, uint[, new_id]) with the string renamed, or as it came.
std::vector<uint8_t> Renamed(const uint8_t* m, uint32_t size, const char* from, const char* to,
                             uint32_t version) {
    std::vector<uint8_t> same(m, m + size);
    const uint32_t length = Word(m + 12);
    const uint32_t padded = (length + 3) & ~3u;
    if (size < 16 + padded + 4 || length != std::strlen(from) + 1 ||
        std::memcmp(m + 16, from, length) != 0)
        return same;
    std::vector<uint8_t> out;
    Put(out, Word(m));
    Put(out, 0); // size and opcode, once the size is known
    Put(out, Word(m + 8));
    const uint32_t newLength = std::strlen(to) + 1;
    Put(out, newLength);
    out.insert(out.end(), to, to + newLength);
    out.resize((out.size() + 3) & ~size_t(3), 0);
    Put(out, version ? version : Word(m + 16 + padded));
    out.insert(out.end(), m + 16 + padded + 4, m + size); // a bind's new id
    const uint32_t head = (uint32_t(out.size()) << 16) | (Word(m + 4) & 0xffff);
    std::memcpy(out.data() + 4, &head, 4);
    return out;
}

// Rewrites the registry's messages of one whole message; notes new registries.
std::vector<uint8_t> Relayed(TClient& client, bool request, const uint8_t* m, uint32_t size) {
    const uint32_t object = Word(m);
    const uint32_t opcode = Word(m + 4) & 0xffff;
    if (request && object == 1 && opcode == 1 && size >= 12)
        client.Registries.insert(Word(m + 8)); // wl_display.get_registry
    if (!client.Registries.count(object) || opcode != 0 || size < 16)
        return {m, m + size};
    // wl_registry.bind asks for the ext protocol's version 1: the wlr version 2 is the same.
    return request ? Renamed(m, size, Ext, Wlr, 2) : Renamed(m, size, Wlr, Ext, 1);
}

bool Send(int socket, const std::vector<uint8_t>& bytes, std::vector<int>& fds) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        iovec io{const_cast<uint8_t*>(bytes.data()) + sent, bytes.size() - sent};
        msghdr msg{};
        msg.msg_iov = &io;
        msg.msg_iovlen = 1;
        std::vector<char> control(CMSG_SPACE(sizeof(int) * fds.size()));
        if (!fds.empty()) {
            msg.msg_control = control.data();
            msg.msg_controllen = control.size();
            cmsghdr* c = CMSG_FIRSTHDR(&msg);
            c->cmsg_level = SOL_SOCKET;
            c->cmsg_type = SCM_RIGHTS;
            c->cmsg_len = CMSG_LEN(sizeof(int) * fds.size());
            std::memcpy(CMSG_DATA(c), fds.data(), sizeof(int) * fds.size());
        }
        const ssize_t n = sendmsg(socket, &msg, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        for (int fd : fds)
            close(fd);
        fds.clear();
        sent += size_t(n);
    }
    return true;
}

// Reads what came, passes on every whole message; false once either side is gone.
bool Pass(TClient& client, TStream& s, bool request) {
    uint8_t buffer[65536];
    char control[CMSG_SPACE(sizeof(int) * 28)];
    iovec io{buffer, sizeof buffer};
    msghdr msg{};
    msg.msg_iov = &io;
    msg.msg_iovlen = 1;
    msg.msg_control = control;
    msg.msg_controllen = sizeof control;
    const ssize_t n = recvmsg(s.From, &msg, MSG_CMSG_CLOEXEC);
    if (n <= 0)
        return false;
    for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c))
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS)
            for (size_t i = 0; i < (c->cmsg_len - CMSG_LEN(0)) / sizeof(int); ++i)
                s.Fds.push_back(reinterpret_cast<int*>(CMSG_DATA(c))[i]);
    s.Bytes.insert(s.Bytes.end(), buffer, buffer + n);
    std::vector<uint8_t> out;
    size_t at = 0;
    while (s.Bytes.size() - at >= 8) {
        const uint32_t size = Word(s.Bytes.data() + at + 4) >> 16;
        if (size < 8 || s.Bytes.size() - at < size)
            break;
        const std::vector<uint8_t> m = Relayed(client, request, s.Bytes.data() + at, size);
        out.insert(out.end(), m.begin(), m.end());
        at += size;
    }
    s.Bytes.erase(s.Bytes.begin(), s.Bytes.begin() + long(at));
    return Send(s.To, out, s.Fds);
}

int Listen(const char* path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path);
    unlink(path);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16))
        return -1;
    return fd;
}

int Connect(const char* path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void Drop(TClient& client) {
    close(client.Requests.From);
    close(client.Events.From);
    for (int fd : client.Requests.Fds)
        close(fd);
    for (int fd : client.Events.Fds)
        close(fd);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const int listener = Listen(argv[2]);
    if (listener < 0)
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    std::vector<TClient> clients;
    for (;;) {
        std::vector<pollfd> polls{{listener, POLLIN, 0}};
        for (const TClient& c : clients) {
            polls.push_back({c.Requests.From, POLLIN, 0});
            polls.push_back({c.Events.From, POLLIN, 0});
        }
        if (poll(polls.data(), polls.size(), -1) < 0)
            continue;
        for (size_t i = clients.size(); i-- > 0;) {
            TClient& c = clients[i];
            const bool ok = (!(polls[1 + 2 * i].revents) || Pass(c, c.Requests, true)) &&
                            (!(polls[2 + 2 * i].revents) || Pass(c, c.Events, false));
            if (!ok) {
                Drop(c);
                clients.erase(clients.begin() + long(i));
            }
        }
        if (polls[0].revents & POLLIN) {
            const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            const int compositor = client < 0 ? -1 : Connect(argv[1]);
            if (compositor < 0) {
                if (client >= 0)
                    close(client);
                continue;
            }
            clients.push_back({{client, compositor, {}, {}}, {compositor, client, {}, {}}, {}});
        }
    }
}
