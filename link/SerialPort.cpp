#include "link/SerialPort.h"

#include "link/TerminalDevice.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <ctime>
#include <unistd.h>

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
    m_treeBehind = false;
    m_startupOwed = false;
    m_controllerHolding = false;
    m_fullSinceMs = m_ctsLowSinceMs = -1;
    m_path = SerialDevicePath(name);
    return OpenPath();
}

bool CSerialPort::OpenPath()
{
    if (m_path.empty()) {
        m_lastError = ENOENT;
        return false;
    }
    // Only a terminal is opened: frames written into a file or a disk would destroy it.
    struct stat device {};
    if (stat(m_path.c_str(), &device) != 0) {
        m_lastError = static_cast<unsigned>(errno);
        return false;
    }
    if (!S_ISCHR(device.st_mode) || !IsTerminalDevice(device.st_rdev)) {
        m_lastError = ENOTTY;
        return false;
    }
    int fd = open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastError = static_cast<unsigned>(errno);
        return false;
    }
    // The path may have changed since the look above.
    if (!isatty(fd)) {
        close(fd);
        m_lastError = ENOTTY;
        return false;
    }
    m_fd = fd;
    m_lastError = 0;
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

long long CSerialPort::MonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void CSerialPort::CheckHoldBack()
{
    if (m_fd < 0) {
        m_controllerHolding = false;
        return;
    }
    long long now = m_nowMs();
    long long since = m_fullSinceMs;
    int lines = 0;
    if (ioctl(m_fd, TIOCMGET, &lines) == 0) {
        // A line with modem control says itself whether the controller lets it send.
        if ((lines & TIOCM_CTS) != 0)
            m_ctsLowSinceMs = -1;
        else if (m_ctsLowSinceMs < 0)
            m_ctsLowSinceMs = now;
        since = m_ctsLowSinceMs;
    } else if (since >= 0) {
        // Without modem control (a pseudo-terminal): the line counts as moving again
        // once it has room for a frame.
        pollfd p{m_fd, POLLOUT, 0};
        if (poll(&p, 1, 0) > 0 && (p.revents & POLLOUT) != 0)
            since = -1;
    }
    m_controllerHolding = since >= 0 && now - since > kHoldBackLimitMs;
}

void CSerialPort::Close()
{
    // Bytes of a frame meant for the old connection must not open a new one.
    m_tailStart = m_tailEnd = 0;
    if (m_fd < 0)
        return;
    // Drop what a held-back line still queues, so close cannot wait for it.
    tcflush(m_fd, TCIOFLUSH);
    // The exclusive mark outlives this close while another program holds the line
    // (a tree monitor does), and would refuse our own opening it again.
    ioctl(m_fd, TIOCNXCL);
    close(m_fd);
    m_fd = -1;
}

ELineState CSerialPort::State() const
{
    if (m_path.empty())
        return ELineState::kNoPort;
    if (IsUsable())
        return ELineState::kOpen;
    if (!IsOpen() && m_lastError == ENOTTY)
        return ELineState::kNotTerminal;
    return ELineState::kLost;
}

bool CSerialPort::CheckLine()
{
    if (m_path.empty())
        return false;
    if (IsOpen()) {
        CheckHoldBack();
        pollfd p{m_fd, 0, 0};
        bool hungUp = poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        if (IsUsable() && !hungUp)
            return false;
        Close();
    } else if (m_lastError == ENOTTY) {
        return false;
    }
    return OpenPath();
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

long CSerialPort::WriteSome(const unsigned char* bytes, int count)
{
    return write(m_fd, bytes, static_cast<size_t>(count));
}

long CSerialPort::Put(const unsigned char* bytes, int count)
{
    for (;;) {
        long n = WriteSome(bytes, count);
        if (n > 0) {
            m_fullSinceMs = -1;
            m_controllerHolding = m_ctsLowSinceMs >= 0 && m_controllerHolding;
            return n;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            m_treeBehind = true;  // the line is full: the tree misses this frame
            if (m_fullSinceMs < 0)
                m_fullSinceMs = m_nowMs();
            CheckHoldBack();
        } else {
            m_lastError = static_cast<unsigned>(errno);
            m_commErrors |= 1;
        }
        return 0;
    }
}

bool CSerialPort::FinishTail()
{
    while (m_tailStart < m_tailEnd) {
        long n = Put(m_tail + m_tailStart, m_tailEnd - m_tailStart);
        if (n == 0)
            return false;
        m_tailStart += static_cast<int>(n);
    }
    m_tailStart = m_tailEnd = 0;
    return true;
}

int CSerialPort::Write(const void* bytes, int count)
{
    if (m_fd < 0 || bytes == nullptr || count <= 0)
        return 0;
    if (count > kMaxWriteBytes) {
        m_lastError = EMSGSIZE;
        return 0;
    }
    // A frame the line took in part is finished before anything new goes out.
    if (!FinishTail())
        return 0;
    const unsigned char* frame = static_cast<const unsigned char*>(bytes);
    long n = Put(frame, count);
    if (n == 0)
        return 0;
    if (n < count) {
        m_tailStart = 0;
        m_tailEnd = count - static_cast<int>(n);
        std::memcpy(m_tail, frame + n, static_cast<size_t>(m_tailEnd));
    }
    return count;
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
