#pragma once
// Writing one sequence of frames to one tree line the never-blocking way.

#include "link/FrameEncoder.h"
#include "link/SerialPort.h"

// Writes one sequence to one port. Once a frame is dropped (the line is full, or
// it failed), the rest of the sequence is dropped too, so a stalled line costs one
// refused write per tick and what a tree gets of a sequence has no holes; the
// purges still run, as they always close a sequence.
class CSequenceWriter {
public:
    explicit CSequenceWriter(CSerialPort& port) : m_port(port) {}

    void Write(const unsigned char* bytes, int count)
    {
        if (!m_gaveUp && m_port.Write(bytes, count) != count)
            m_gaveUp = true;
    }
    void LeadIn()
    {
        static const unsigned char kLeadInByte = 0x00;
        // The controllers expect the lead-in as single-byte writes.
        for (int i = 0; i < kLeadInBytes && !m_gaveUp; ++i)
            Write(&kLeadInByte, 1);
    }
    void Purge() { m_port.Purge(kPurgeRxClear); }
    bool GaveUp() const { return m_gaveUp; }

private:
    CSerialPort& m_port;
    bool m_gaveUp = false;
};
