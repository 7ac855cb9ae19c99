// Tree monitor: stands where a tree's lamp controllers would and prints, one line
// each, the frames that arrive on a serial line, flagging anything it cannot decode.
// Before a chase frame that came late or after a gap in the 100 ms cadence it prints
// a LATE or GAP line, and when it ends (also on SIGINT or SIGTERM) a SUMMARY line.
// `--help` says how to use it; the package installs it as glimmerbox-monitor.

#include "link/FrameCadence.h"
#include "link/FrameDecoder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_stop = 0;
// Named as it was started: treemonitor in the build, glimmerbox-monitor once installed.
const char* g_name = "treemonitor";

void OnStop(int)
{
    g_stop = 1;
}

struct Options {
    const char* device = nullptr;
    long count = -1;     // stop after this many frames; -1 = never
    double seconds = -1; // stop after this long; -1 = never
};

const char kHelp[] =
    "Stands where a tree's lamp controllers would and prints one line for each frame\n"
    "the console sends: channel frames (channel, fade, level), chase frames (the lamp\n"
    "circuits that are on), the start-up and shut-down frames. Anything it cannot\n"
    "decode is flagged. A chase frame that came more than 20 ms late, or a gap in the\n"
    "100 ms cadence, gets a LATE or GAP line before it. A SUMMARY line ends the run,\n"
    "also when it is ended with Ctrl+C.\n"
    "\n"
    "  DEVICE       the serial line to read, for example /dev/ttyUSB0. Without it a\n"
    "               new pseudo-terminal is made and its path printed as the first\n"
    "               line: give it to the console as 1|/dev/pts/N| in Glimmerbox.cfg.\n"
    "  --count N    stop after N frames\n"
    "  --seconds S  stop after S seconds\n"
    "  --help       show this help\n"
    "\n"
    "Exit status: 0 when every frame decoded cleanly, 1 when a frame was flagged,\n"
    "2 on misuse or when DEVICE cannot be opened.\n";

constexpr double kYearSeconds = 366.0 * 24 * 3600;

enum class EParse { kRun, kHelp, kMisuse };

// Reads the command line into `options`; on misuse `why` says what was wrong.
EParse ParseOptions(int argc, char** argv, Options& options, std::string& why)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        char* end = nullptr;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)
            return EParse::kHelp;
        if (std::strcmp(arg, "--count") == 0) {
            options.count = std::strtol(value, &end, 10);
            if (value[0] == '\0' || *end != '\0' || options.count < 0) {
                why = "--count needs a whole number of frames";
                return EParse::kMisuse;
            }
            ++i;
        } else if (std::strcmp(arg, "--seconds") == 0) {
            options.seconds = std::strtod(value, &end);
            // At most a year, so the deadline in milliseconds stays a number.
            if (value[0] == '\0' || *end != '\0' || !(options.seconds >= 0 && options.seconds <= kYearSeconds)) {
                why = "--seconds needs a number of seconds";
                return EParse::kMisuse;
            }
            ++i;
        } else if (arg[0] == '-') {
            why = std::string("unknown option ") + arg;
            return EParse::kMisuse;
        } else if (options.device != nullptr) {
            why = "give one DEVICE only";
            return EParse::kMisuse;
        } else {
            options.device = arg;
        }
    }
    return EParse::kRun;
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
    std::fprintf(stderr, "%s: give the console the port %s\n", g_name, name);
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
    if (argc > 0 && argv[0][0] != '\0')
        g_name = std::strrchr(argv[0], '/') != nullptr ? std::strrchr(argv[0], '/') + 1 : argv[0];
    const char* name = g_name;
    Options options;
    std::string why;
    switch (ParseOptions(argc, argv, options, why)) {
    case EParse::kHelp:
        std::printf("usage: %s [DEVICE] [--count N] [--seconds S]\n\n%s", name, kHelp);
        return 0;
    case EParse::kMisuse:
        std::fprintf(stderr, "%s: %s\nusage: %s [DEVICE] [--count N] [--seconds S] | --help\n", name, why.c_str(),
                     name);
        return 2;
    case EParse::kRun:
        break;
    }
    int keepOpen = -1;
    int fd = options.device != nullptr ? open(options.device, O_RDONLY | O_NOCTTY | O_NONBLOCK)
                                       : OpenPseudoTerminal(keepOpen);
    if (fd < 0) {
        std::fprintf(stderr, "%s: cannot open %s: %s\n", name,
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
