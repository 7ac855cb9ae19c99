#include "link/SerialPort.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

long long NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// A device that was given as a pipe or socket must not kill the console with
// SIGPIPE: block it around the write and swallow one raised by it.
class CNoSigPipe {
public:
    CNoSigPipe()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe, &m_old);
    }
    ~CNoSigPipe()
    {
        if (!m_wasPending) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            timespec zero{};
            while (sigtimedwait(&pipe, nullptr, &zero) > 0) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }

private:
    sigset_t m_old;
    bool m_wasPending = false;
};

}  // namespace

std::string SerialDevicePath(const char* name)
{
    if (name == nullptr || name[0] == '\0' || std::strcmp(name, "NONE") == 0)
        return "";
    if (name[0] == '/')
        return name;
    if (std::strncmp(name, "COM", 3) == 0 && name[3] >= '1' && name[3] <= '4' && name[4] == '\0')
        return std::string("/dev/ttyS") + static_cast<char>(name[3] - 1);
    return "";
}

CSerialPort::CSerialPort(const char* name)
{
    Open(name);
}

CSerialPort::~CSerialPort()
{
    Close();
}

bool CSerialPort::Open(const char* name)
{
    Close();
    m_lastError = 0;
    m_commErrors = 0;
    m_eventMask = 0;
    m_writeTimeoutMs = 100;
    std::string path = SerialDevicePath(name);
    if (path.empty()) {
        m_lastError = ENOENT;
        return false;
    }
    m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_lastError = static_cast<unsigned>(errno);
        return false;
    }
    ioctl(m_fd, TIOCEXCL);  // no sharing with another program
    // Each step records its own failure; what stays is the last step's result.
    SetBaudRate(38400);
    SetLineFormat(kNoParity, 8, kOneStopBit);
    SetFlowControl(3, 100, 100, 0x11, 0x13);
    SetQueueSizes(4096, 65536);
    SetReadTimeouts(0xFFFFFFFFu, 0, 0);
    SetWriteTimeouts(0, 100);
    DisableStatusInsertion(0);
    m_eventMask = 0;
    tcflush(m_fd, TCIOFLUSH);
    return true;
}

void CSerialPort::Close()
{
    if (m_fd < 0)
        return;
    // Drop what a held-back line still queues, so close cannot wait for it.
    tcflush(m_fd, TCIOFLUSH);
    close(m_fd);
    m_fd = -1;
}

bool CSerialPort::Record(bool ok)
{
    if (!ok)
        m_lastError = static_cast<unsigned>(errno);
    return ok;
}

bool CSerialPort::ChangeSettings(void (*change)(termios&, int), int value)
{
    m_lastError = 0;
    if (m_fd < 0) {
        m_lastError = EBADF;
        return false;
    }
    termios tio{};
    if (!Record(tcgetattr(m_fd, &tio) == 0))
        return false;
    change(tio, value);
    return Record(tcsetattr(m_fd, TCSANOW, &tio) == 0);
}

bool CSerialPort::SetBaudRate(int baud)
{
    speed_t speed;
    switch (baud) {
    case 9600: speed = B9600; break;
    case 19200: speed = B19200; break;
    case 38400: speed = B38400; break;
    case 57600: speed = B57600; break;
    case 115200: speed = B115200; break;
    default:
        m_lastError = EINVAL;
        return false;
    }
    return ChangeSettings([](termios& tio, int s) {
        cfsetispeed(&tio, static_cast<speed_t>(s));
        cfsetospeed(&tio, static_cast<speed_t>(s));
    }, static_cast<int>(speed));
}

bool CSerialPort::SetLineFormat(int parity, int dataBits, int stopBits)
{
    if (dataBits < 5 || dataBits > 8) {
        m_lastError = EINVAL;
        return false;
    }
    int packed = (parity & 0xFF) | ((dataBits & 0xFF) << 8) | ((stopBits & 0xFF) << 16);
    return ChangeSettings([](termios& tio, int v) {
        int parity = v & 0xFF, bits = (v >> 8) & 0xFF, stop = (v >> 16) & 0xFF;
        // Raw bytes both ways: the frames are binary.
        cfmakeraw(&tio);
        tio.c_cflag |= CREAD | CLOCAL;
        tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
        tio.c_cflag |= bits == 5 ? CS5 : bits == 6 ? CS6 : bits == 7 ? CS7 : CS8;
        if (parity == 1 || parity == 2)
            tio.c_cflag |= PARENB | (parity == 1 ? PARODD : 0);
        if (stop != kOneStopBit)
            tio.c_cflag |= CSTOPB;
    }, packed);
}

bool CSerialPort::SetFlowControl(int flags, int, int, char, char)
{
    if (!ChangeSettings([](termios& tio, int f) {
            if (f & 3)
                tio.c_cflag |= CRTSCTS;
            else
                tio.c_cflag &= ~CRTSCTS;
            if (f & 0x10)
                tio.c_iflag |= IXON | IXOFF;
            else
                tio.c_iflag &= ~(IXON | IXOFF | IXANY);
        }, flags))
        return false;
    int lines = TIOCM_DTR | TIOCM_RTS;
    // A line without modem control (a pseudo-terminal) has nothing to raise.
    if (ioctl(m_fd, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL)
        return Record(false);
    return true;
}

bool CSerialPort::SetQueueSizes(int, int)
{
    return CheckOpen();
}

bool CSerialPort::SetReadTimeouts(unsigned, unsigned, unsigned)
{
    // Reads never wait: the descriptor is non-blocking and VMIN/VTIME are 0.
    return ChangeSettings([](termios& tio, int) {
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
    }, 0);
}

bool CSerialPort::SetWriteTimeouts(unsigned totalMultiplier, unsigned totalConstantMs)
{
    if (!CheckOpen())
        return false;
    m_writeTimeoutMultiplier = totalMultiplier;
    m_writeTimeoutMs = totalConstantMs;
    return true;
}

bool CSerialPort::DisableStatusInsertion(char)
{
    // Nothing is inserted on this platform; a device that is no terminal is refused.
    if (!CheckOpen())
        return false;
    termios tio{};
    return Record(tcgetattr(m_fd, &tio) == 0);
}

bool CSerialPort::CheckOpen()
{
    m_lastError = 0;
    if (m_fd < 0) {
        m_lastError = EBADF;
        return false;
    }
    return true;
}

bool CSerialPort::Purge(unsigned flags)
{
    if (!CheckOpen())
        return false;
    bool input = (flags & (kPurgeRxAbort | kPurgeRxClear)) != 0;
    bool output = (flags & (kPurgeTxAbort | kPurgeTxClear)) != 0;
    if (!input && !output)
        return true;
    int queue = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    return Record(tcflush(m_fd, queue) == 0);
}

int CSerialPort::Write(const void* bytes, int count)
{
    if (m_fd < 0 || bytes == nullptr || count <= 0)
        return 0;
    CNoSigPipe guard;
    const unsigned char* next = static_cast<const unsigned char*>(bytes);
    long long budget = static_cast<long long>(m_writeTimeoutMs) +
                       static_cast<long long>(m_writeTimeoutMultiplier) * count;
    long long deadline = NowMs() + budget;
    int written = 0;
    while (written < count) {
        ssize_t n = write(m_fd, next + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            m_lastError = static_cast<unsigned>(errno);
            m_commErrors |= 1;
            return written;
        }
        long long left = deadline - NowMs();
        if (left <= 0) {
            m_lastError = ETIMEDOUT;
            return written;
        }
        pollfd p{m_fd, POLLOUT, 0};
        int ready = poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) {
            m_lastError = static_cast<unsigned>(errno);
            return written;
        }
        if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (p.revents & POLLOUT) == 0) {
            m_lastError = EIO;
            return written;
        }
    }
    return written;
}

int CSerialPort::Read(void* buffer, int count, bool)
{
    if (m_fd < 0 || buffer == nullptr || count <= 0)
        return 0;
    for (;;) {
        ssize_t n = read(m_fd, buffer, static_cast<size_t>(count));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            m_lastError = static_cast<unsigned>(errno);
        return 0;
    }
}

int CSerialPort::OnReceive(void*, int)
{
    return 0;
}

int CSerialPort::WaitEvent()
{
    m_lastError = 0;
    m_eventMask = 0;
    if (m_fd < 0)
        return 0;
    pollfd p{m_fd, POLLIN, 0};
    int ready = poll(&p, 1, 0);
    if (ready > 0 && (p.revents & POLLIN) != 0) {
        m_eventMask = kEventRxChar;
        return 1;
    }
    if (ready < 0)
        m_lastError = static_cast<unsigned>(errno);
    return 0;
}

unsigned CSerialPort::CheckEvent(bool wait)
{
    if (m_fd < 0)
        return 0;
    if (m_eventMask != 0)
        return m_eventMask;
    pollfd p{m_fd, POLLIN, 0};
    int ready = poll(&p, 1, wait ? static_cast<int>(m_writeTimeoutMs) : 0);
    if (ready > 0 && (p.revents & POLLIN) != 0) {
        m_eventMask = kEventRxChar;
        return m_eventMask;
    }
    WaitEvent();
    return 0;
}
