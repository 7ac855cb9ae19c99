#pragma once
// One serial line to a tree's lamp controllers: 38400 8N1 with hardware
// handshake, a bounded write and non-blocking reads, on POSIX termios.

// Purge flags, as the tree link passes them.
constexpr unsigned kPurgeTxAbort = 1;
constexpr unsigned kPurgeRxAbort = 2;
constexpr unsigned kPurgeTxClear = 4;
constexpr unsigned kPurgeRxClear = 8;

constexpr int kNoParity = 0;
constexpr int kOneStopBit = 0;

class CSerialPort {
public:
    CSerialPort() = default;               // closed
    explicit CSerialPort(const char* name); // opens and configures, see Open
    virtual ~CSerialPort();                 // Close
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // "COM1".."COM4" map to /dev/ttyS0..3, a name starting with '/' is a device
    // path; "NONE" and "" leave the port closed.
    bool Open(const char* name);
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
    bool Purge(unsigned flags);

    virtual int Read(void* buffer, int count, bool readAll);
    virtual int Write(const void* bytes, int count);
    virtual int OnReceive(void* data, int count);
    virtual int WaitEvent();
    virtual unsigned CheckEvent(bool wait);

    int m_fd = -1;
    unsigned m_lastError = 0;   // errno of the last failure, 0 = none
    unsigned m_commErrors = 0;
    unsigned m_eventMask = 0;
    unsigned m_writeTimeoutMs = 100;
};
