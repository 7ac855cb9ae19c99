#pragma once
// What the engine knows of a window: it can ask for a rectangle to be redrawn.

class IRepaint {
public:
    virtual ~IRepaint() = default;
    // Client rectangle to redraw; `erase` false keeps the background.
    virtual void InvalidateRect(int left, int top, int right, int bottom, bool erase) = 0;
};
