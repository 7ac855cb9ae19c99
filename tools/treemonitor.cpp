// Tree monitor: stands where a tree's lamp controllers would and prints, one line
// each, the frames that arrive on a serial line, flagging anything it cannot decode.
// Before a chase frame that came late or after a gap in the 100 ms cadence it prints
// a LATE or GAP line, and when it ends (also on SIGINT or SIGTERM) a SUMMARY line.
//
//   treemonitor [DEVICE] [--count N] [--seconds S]
//
// Without DEVICE it creates a pseudo-terminal and prints the device the console
// should be given (for example as "1|/dev/pts/3|" in Glimmerbox.cfg) as its first line.
// --count stops after N frames. Exit status: 0 when every frame decoded cleanly,
// 1 when a frame was flagged, 2 on misuse.

#include "link/FrameCadence.h"
#include "link/FrameDecoder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_stop = 0;

void OnStop(int)
{
    g_stop = 1;
}

struct Options {
    const char* device = nullptr;
    long count = -1;     // stop after this many frames; -1 = never
    double seconds = -1; // stop after this long; -1 = never
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        char* end = nullptr;
        if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc) {
            options.count = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || options.count < 0)
                return false;
        } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            options.seconds = std::strtod(argv[++i], &end);
            if (*end != '\0' || options.seconds < 0)
                return false;
        } else if (argv[i][0] != '-' && options.device == nullptr) {
            options.device = argv[i];
        } else {
            return false;
        }
    }
    return true;
}

void MakeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    tio.c_cflag |= CREAD | CLOCAL;
    tcsetattr(fd, TCSANOW, &tio);
}

// Creates a pseudo-terminal; the monitor reads its master side. The other side
// stays open here too, so the console may open and close it without ending the line.
int OpenPseudoTerminal(int& keepOpen)
{
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    const char* name = ptsname(master);
    if (name == nullptr)
        return -1;
    keepOpen = open(name, O_RDWR | O_NOCTTY);
    if (keepOpen >= 0)
        MakeRaw(keepOpen);
    std::printf("%s\n", name);
    std::fflush(stdout);
    std::fprintf(stderr, "treemonitor: give the console the port %s\n", name);
    return master;
}

long long NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: treemonitor [DEVICE] [--count N] [--seconds S]\n");
        return 2;
    }
    int keepOpen = -1;
    int fd = options.device != nullptr ? open(options.device, O_RDONLY | O_NOCTTY | O_NONBLOCK)
                                       : OpenPseudoTerminal(keepOpen);
    if (fd < 0) {
        std::fprintf(stderr, "treemonitor: cannot open %s: %s\n",
                     options.device != nullptr ? options.device : "a pseudo-terminal", std::strerror(errno));
        return 2;
    }
    if (options.device != nullptr)
        MakeRaw(fd);

    CFrameDecoder decoder;
    CFrameCadence cadence;
    DecodedFrame frame;
    long framesSeen = 0;
    long faults = 0;
    long long arrivedMs = NowMs();
    auto report = [&](const DecodedFrame& f) {
        if (f.kind == FrameKind::kChase) {
            std::string note = DescribeCadence(cadence.Chase(arrivedMs));
            if (!note.empty())
                std::printf("%s\n", note.c_str());
        }
        std::printf("%s\n", DescribeFrame(f).c_str());
        std::fflush(stdout);
        faults += IsFault(f);
        ++framesSeen;
    };
    long long deadline = options.seconds >= 0 ? NowMs() + static_cast<long long>(options.seconds * 1000) : -1;
    unsigned char buffer[4096];
    bool lineOpen = true;
    // Ending the monitor still gives the summary: the loop stops, the run is summed up.
    struct sigaction stop {};
    stop.sa_handler = OnStop;
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    // A reader that took the frames it wanted and left must not turn the summary into a crash.
    signal(SIGPIPE, SIG_IGN);
    while (!g_stop && lineOpen && (options.count < 0 || framesSeen < options.count)) {
        int wait = -1;
        if (deadline >= 0) {
            long long left = deadline - NowMs();
            if (left <= 0)
                break;
            wait = static_cast<int>(left);
        }
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, wait);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        ssize_t n = read(fd, buffer, sizeof buffer);
        arrivedMs = NowMs();
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0) {
            lineOpen = false;  // end of the line, or its other side went away
            break;
        }
        for (ssize_t i = 0; i < n && (options.count < 0 || framesSeen < options.count); ++i) {
            if (decoder.Push(buffer[i], frame))
                report(frame);
        }
    }
    if (options.count < 0 || framesSeen < options.count) {
        if (decoder.Flush(frame))
            report(frame);
    }
    close(fd);
    if (keepOpen >= 0)
        close(keepOpen);
    std::printf("SUMMARY %ld frames, %ld flagged; %s\n", framesSeen, faults, DescribeCadenceTotals(cadence).c_str());
    return faults > 0 ? 1 : 0;
}
