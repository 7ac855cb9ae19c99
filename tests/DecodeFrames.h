#pragma once
// Reads what a tree received back into frames, as the tree monitor does.

#include "link/FrameDecoder.h"

#include <vector>

inline std::vector<DecodedFrame> DecodeAll(const std::vector<unsigned char>& bytes, bool flush = true)
{
    CFrameDecoder decoder;
    std::vector<DecodedFrame> frames;
    DecodedFrame frame;
    for (unsigned char b : bytes) {
        if (decoder.Push(b, frame))
            frames.push_back(frame);
    }
    if (flush && decoder.Flush(frame))
        frames.push_back(frame);
    return frames;
}
