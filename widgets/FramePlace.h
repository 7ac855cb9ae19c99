#pragma once
// Where a window's frame, title bar included, stands. Before a window manager
// has framed a window its frame is unknown: a move then places the inside of
// the window at the point and the frame lands higher by the title bar, and the
// widget's own idea of its frame can stay behind what the window manager did.
// These go by the native window, which knows the frame once it has one.

class QPoint;
class QRect;
class QWidget;

// Call before the window is shown. Once the window has its frame it is moved
// again, so the frame stands at the point. A point on no screen is not taken:
// the window manager places the window.
void PlaceFrameAt(QWidget* window, const QPoint& frameTopLeft);

// The window's rectangle with its frame.
QRect FrameRect(const QWidget* window);
