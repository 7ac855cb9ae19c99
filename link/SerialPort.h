#pragma once
// One serial line to a tree's lamp controllers: 38400 8N1 with hardware
// handshake on POSIX termios. Nothing here ever waits on the tree: writes go out
// whole or not at all, reads return what has arrived, and a lost line is opened
// again on its configured path.

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

// The longest single write: one frame. The rest of a frame the line took only in
// part is kept here until the line takes it.
constexpr int kMaxWriteBytes = 256;

enum class ELineState {
    kNoPort,       // "NONE", "" or a name that maps to no device
    kOpen,         // open and usable
    kLost,         // configured, but absent, gone, busy or failed; tried again by CheckLine
    kNotTerminal,  // the path names something that is no terminal; never opened
};

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
    // path; "NONE" and "" leave the port closed (m_lastError = ENOENT). Only a
    // terminal is opened (without becoming the controlling terminal); anything else
    // stays closed with m_lastError = ENOTTY. An open port is taken for itself and
    // configured step by step; m_lastError then holds the last step's result.
    bool Open(const char* name);
    // Drops queued output first, so a line held back by CTS cannot hang the close.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // What the tree link asks before it writes.
    bool IsUsable() const { return IsOpen() && m_lastError == 0; }
    ELineState State() const;
    // The device path the port was configured with ("" for none).
    const std::string& Path() const { return m_path; }
    // Run about once a second: closes a line that hung up or failed and opens it
    // again on its configured path once a terminal is there. Never tries "NONE" or
    // a path found not to be a terminal. True when the line was opened again.
    bool CheckLine();

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
    // Takes one frame of up to kMaxWriteBytes without waiting and returns count
    // when it goes out whole (the rest of a frame the line took in part is sent
    // before anything else), or 0 when it is dropped whole: the line is still full
    // (m_lastError unchanged, m_treeBehind set) or failed (m_lastError = errno).
    virtual int Write(const void* bytes, int count);
    virtual int OnReceive(void* data, int count);
    virtual int WaitEvent();
    virtual unsigned CheckEvent(bool wait);

    int m_fd = -1;
    unsigned m_lastError = 0;   // errno of the last failure, 0 = none
    unsigned m_commErrors = 0;
    unsigned m_eventMask = 0;
    unsigned m_writeTimeoutMs = 100;
    unsigned m_writeTimeoutMultiplier = 0;  // kept for the settings; writes never wait
    // Set when a frame was dropped because the line was full; the tree link clears
    // it once the tree has been brought up to date.
    bool m_treeBehind = false;
    // Set by the tree link when the line came back: the tree gets the start-up frame first.
    bool m_startupOwed = false;

    // The controller has held the line back for longer than kHoldBackLimitMs: CTS
    // low where the line reports it, otherwise output that found the line full and
    // could not go out since. Kept up to date by Write and CheckLine.
    bool m_controllerHolding = false;
    static constexpr long long kHoldBackLimitMs = 2000;
    // Milliseconds on a monotonic clock; tests put a clock of their own here.
    long long (*m_nowMs)() = &MonotonicMs;
    static long long MonotonicMs();
    // Looks at the handshake line (or the stuck output) now and sets m_controllerHolding.
    void CheckHoldBack();

protected:
    // The one place bytes reach the device, so tests can make a line take part of a frame.
    virtual long WriteSome(const unsigned char* bytes, int count);

private:
    bool OpenPath();
    long Put(const unsigned char* bytes, int count);
    bool FinishTail();
    bool CheckOpen();
    bool Record(bool ok);
    bool ChangeSettings(void (*change)(termios&, int), int value);

    std::string m_path;
    long long m_fullSinceMs = -1;   // since when frames find the line full, -1 when they do not
    long long m_ctsLowSinceMs = -1; // since when CTS is low, -1 when it is high or not reported
    unsigned char m_tail[kMaxWriteBytes] = {};
    int m_tailStart = 0;
    int m_tailEnd = 0;
};
