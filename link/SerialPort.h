#pragma once
// One serial line to a tree's lamp controllers: 38400 8N1 with hardware
// handshake, a bounded write and non-blocking reads, on POSIX termios.

#include <string>

// Purge flags, as the tree link passes them.
constexpr unsigned kPurgeTxAbort = 1;
constexpr unsigned kPurgeRxAbort = 2;
constexpr unsigned kPurgeTxClear = 4;
constexpr unsigned kPurgeRxClear = 8;

constexpr int kNoParity = 0;
constexpr int kOneStopBit = 0;

// Event mask bit: a byte has arrived.
constexpr unsigned kEventRxChar = 1;

struct termios;

// Device path a port name opens: "COM1".."COM4" are /dev/ttyS0..3, a name that
// starts with '/' is used as it is; anything else (also "NONE" and "") is "".
std::string SerialDevicePath(const char* name);

class CSerialPort {
public:
    CSerialPort() = default;               // closed
    explicit CSerialPort(const char* name); // opens and configures, see Open
    virtual ~CSerialPort();                 // Close
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // "COM1".."COM4" map to /dev/ttyS0..3, a name starting with '/' is a device
    // path; "NONE" and "" leave the port closed (m_lastError = ENOENT). An open
    // port is taken for itself and configured step by step; m_lastError then holds
    // the last step's result, which only a device that is no terminal fails.
    bool Open(const char* name);
    // Drops queued output first, so a line held back by CTS cannot hang the close.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // What the tree link asks before it writes.
    bool IsUsable() const { return IsOpen() && m_lastError == 0; }

    bool SetBaudRate(int baud);
    bool SetLineFormat(int parity, int dataBits, int stopBits);
    bool SetFlowControl(int flags, int xonLimit, int xoffLimit, char xonChar, char xoffChar);
    bool SetQueueSizes(int inputSize, int outputSize);
    bool SetReadTimeouts(unsigned interval, unsigned totalMultiplier, unsigned totalConstant);
    bool SetWriteTimeouts(unsigned totalMultiplier, unsigned totalConstantMs);
    bool DisableStatusInsertion(char escape);
    // Discards the queues the flags name (tcflush); clears m_lastError first.
    bool Purge(unsigned flags);

    // Returns what has arrived, up to count, without waiting.
    virtual int Read(void* buffer, int count, bool readAll);
    // Writes every byte or gives up when the write time-out runs out (m_lastError =
    // ETIMEDOUT) or the line fails (m_lastError = errno); returns the count written.
    // A write that succeeds leaves m_lastError as it was.
    virtual int Write(const void* bytes, int count);
    virtual int OnReceive(void* data, int count);
    virtual int WaitEvent();
    virtual unsigned CheckEvent(bool wait);

    int m_fd = -1;
    unsigned m_lastError = 0;   // errno of the last failure, 0 = none
    unsigned m_commErrors = 0;
    unsigned m_eventMask = 0;
    unsigned m_writeTimeoutMs = 100;
    unsigned m_writeTimeoutMultiplier = 0;  // extra ms per byte written

private:
    bool CheckOpen();
    bool Record(bool ok);
    bool ChangeSettings(void (*change)(termios&, int), int value);
};
