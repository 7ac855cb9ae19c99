#include "link/LineProblem.h"

#include "link/SerialPort.h"

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

ELineProblem ClassifyLineError(unsigned err)
{
    switch (err) {
    case 0:
        return ELineProblem::kNone;
    case EACCES:
    case EPERM:
        return ELineProblem::kPermission;
    case EBUSY:
        return ELineProblem::kBusy;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case EIO:
        return ELineProblem::kUnplugged;
    case ENOTTY:
        return ELineProblem::kNotSerial;
    default:
        return ELineProblem::kOther;
    }
}

ELineProblem LineProblemOf(const CSerialPort* port)
{
    if (port == nullptr || port->State() == ELineState::kNoPort)
        return ELineProblem::kNone;
    if (port->IsUsable())
        return port->m_controllerHolding ? ELineProblem::kHeldBack : ELineProblem::kNone;
    ELineProblem problem = ClassifyLineError(port->m_lastError);
    // A port that is not usable always has something to say.
    return problem == ELineProblem::kNone ? ELineProblem::kOther : problem;
}

std::string LineProblemText(ELineProblem problem, const std::string& user, unsigned err)
{
    switch (problem) {
    case ELineProblem::kNone:
        return "";
    case ELineProblem::kPermission:
        return "add your user to the dialout group: sudo adduser " + user + " dialout, then log out and in";
    case ELineProblem::kBusy:
        return "in use by another program: close it, then choose the port again";
    case ELineProblem::kUnplugged:
        return "not plugged in: plug the adapter in or choose another port";
    case ELineProblem::kNotSerial:
        return "not a serial line: choose another port";
    case ELineProblem::kHeldBack:
        return "controller off, or its handshake line not wired";
    case ELineProblem::kOther:
        break;
    }
    return std::string("cannot be used: ") + (err != 0 ? std::strerror(static_cast<int>(err)) : "unknown error");
}

std::string LineProblemText(const CSerialPort* port)
{
    ELineProblem problem = LineProblemOf(port);
    if (problem == ELineProblem::kNone)
        return "";
    return LineProblemText(problem, problem == ELineProblem::kPermission ? CurrentUserName() : "",
                           port->m_lastError);
}

std::string CurrentUserName()
{
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
        found->pw_name != nullptr && found->pw_name[0] != '\0')
        return found->pw_name;
    return "USER";
}
