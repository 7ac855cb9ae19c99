#pragma once
// Keeps the serial line list current: a udev monitor on the window's event loop
// says when a tty device is plugged in or pulled out.

#include "console/SerialLines.h"

#include <QObject>
#include <vector>

class QSocketNotifier;
struct udev;
struct udev_monitor;

class CSerialLineWatch : public QObject {
    Q_OBJECT
public:
    explicit CSerialLineWatch(QObject* parent = nullptr);
    ~CSerialLineWatch() override;

    // The lines as last listed.
    const std::vector<CSerialLine>& Lines() const { return m_lines; }
    // Lists the lines again now.
    void Refresh();

signals:
    // The list changed: a line came or went.
    void Changed();

private:
    void OnDeviceEvent();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    std::vector<CSerialLine> m_lines;
};
