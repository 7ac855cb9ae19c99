#pragma once
// Whether a device number belongs to a terminal, decided before anything opens it:
// opening some devices (a watchdog, a tape) already does something.

#include <sys/types.h>

// True when the character device `device` falls in the range of a terminal driver
// that `driverList` (the kernel's list of tty drivers) names. When the list cannot
// be read the answer is true, and the isatty check after opening decides alone.
bool IsTerminalDevice(dev_t device, const char* driverList = "/proc/tty/drivers");
