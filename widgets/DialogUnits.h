#pragma once
// Screen layouts are given in dialog units; one horizontal unit is 3/2 pixel and
// one vertical unit 13/8 pixel, so every screen keeps its proportions.

#include <QRect>

inline int DluX(int x) { return x * 3 / 2; }
inline int DluY(int y) { return y * 13 / 8; }

// A control's rectangle from its dialog-unit position and size.
inline QRect DluRect(int x, int y, int width, int height)
{
    return QRect(DluX(x), DluY(y), DluX(width), DluY(height));
}
