#include "widgets/FramePlace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// How long after showing the window a frame is still waited for; a window
// manager frames a window within a moment, and a window never framed stays put.
constexpr int kFrameWaitMs = 3000;
// A point inside the title bar, which must be on a screen for the window to be moved by it.
constexpr int kTitleReach = 8;

class CFramePlacer : public QObject {
public:
    CFramePlacer(QWidget* window, const QPoint& at) : QObject(window), m_window(window), m_at(at)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == m_window && m_window->windowHandle() != nullptr) {
            // The frame shows up in the native window's expose and move events.
            m_window->windowHandle()->installEventFilter(this);
            QTimer::singleShot(kFrameWaitMs, this, &QObject::deleteLater);
        } else if (event->type() == QEvent::Expose || event->type() == QEvent::Move) {
            PlaceOnceFramed();
        }
        return false;
    }

private:
    void PlaceOnceFramed()
    {
        QWindow* native = m_window->windowHandle();
        if (m_done || native == nullptr || native->frameMargins().isNull())
            return;
        m_done = true;
        // The inside of the window goes where the frame's inside will be; placing
        // the frame itself is left to window managers that do not all honour it.
        const QPoint inset = native->geometry().topLeft() - native->frameGeometry().topLeft();
        if (native->frameGeometry().topLeft() != m_at)
            native->setPosition(m_at + inset);
        deleteLater();
    }

    QWidget* m_window;
    QPoint m_at;
    bool m_done = false;
};

}  // namespace

void PlaceFrameAt(QWidget* window, const QPoint& frameTopLeft)
{
    // A place on no screen (one since unplugged) would leave the window out of reach.
    if (QGuiApplication::screenAt(frameTopLeft + QPoint(kTitleReach, kTitleReach)) == nullptr)
        return;
    window->move(frameTopLeft);
    new CFramePlacer(window, frameTopLeft);
}

QRect FrameRect(const QWidget* window)
{
    const QWindow* native = window->windowHandle();
    return native != nullptr ? native->frameGeometry() : window->frameGeometry();
}
