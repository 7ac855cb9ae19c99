#pragma once
// A pseudo-terminal pair standing in for a tree's serial line: the console side
// (`path`) is opened by a CSerialPort, the test reads the tree side (`master`).

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

class CPtyLine {
public:
    CPtyLine()
    {
        int slave = -1;
        char name[PATH_MAX] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        path = name;
        // Raw from the start so nothing is echoed or translated before the port sets it up.
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        close(slave);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~CPtyLine() { CloseTreeSide(); }
    CPtyLine(const CPtyLine&) = delete;
    CPtyLine& operator=(const CPtyLine&) = delete;

    bool Ok() const { return master >= 0 && !path.empty(); }

    // Everything that arrives until `expected` bytes are in and the line has been
    // quiet for `quietMs` (or a second has passed).
    std::vector<unsigned char> Receive(size_t expected = 0, int quietMs = 30)
    {
        std::vector<unsigned char> bytes;
        long long giveUp = NowMs() + 1000;
        for (;;) {
            unsigned char buffer[4096];
            ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) {
                bytes.insert(bytes.end(), buffer, buffer + n);
                continue;
            }
            long long now = NowMs();
            if (now >= giveUp)
                break;
            pollfd p{master, POLLIN, 0};
            int wait = bytes.size() >= expected ? quietMs : static_cast<int>(giveUp - now);
            if (poll(&p, 1, wait) <= 0 && bytes.size() >= expected)
                break;
        }
        return bytes;
    }

    void CloseTreeSide()
    {
        if (master >= 0)
            close(master);
        master = -1;
    }

    static long long NowMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    }

    int master = -1;
    std::string path;
};

// Fills the console side's output queue until the pty takes no more, as a tree
// that stopped reading would. Returns the bytes it took.
inline size_t HoldBack(int consoleFd)
{
    size_t taken = 0;
    unsigned char block[1024] = {};
    size_t size = sizeof block;
    for (;;) {
        ssize_t n = write(consoleFd, block, size);
        if (n > 0) {
            taken += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // The pty moves bytes along in the background and then takes a few more;
        // fill, down to single bytes, until it stays full.
        pollfd p{consoleFd, POLLOUT, 0};
        if (poll(&p, 1, size == 1 ? 150 : 10) <= 0 && size == 1)
            return taken;
        if (size > 1)
            size /= 2;
    }
}

// Points the symbolic link `link` at `target` in one step, as a device manager
// does when a tree's adapter comes back under the same name.
inline bool PointLinkAt(const std::string& link, const std::string& target)
{
    std::string fresh = link + ".new";
    unlink(fresh.c_str());
    return symlink(target.c_str(), fresh.c_str()) == 0 && rename(fresh.c_str(), link.c_str()) == 0;
}
