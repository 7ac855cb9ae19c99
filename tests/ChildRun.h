#pragma once
// Runs part of a test in a forked child: as an unprivileged user, or under a
// resource limit, without changing the test process. The child's result comes
// back as text through a pipe.

#include <csignal>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// What InChild returns when the child could not become the unprivileged user.
inline const std::string kNoUnprivilegedUser = "<cannot drop to uid 65534>";
constexpr uid_t kNobody = 65534;

// `asNobody`: the child drops to uid/gid 65534 first. `fileLimit` > 0: the
// child may write no file larger than that many bytes (a full disk stand-in).
inline std::string InChild(const std::function<std::string()>& body, bool asNobody, long fileLimit = 0)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "<no pipe>";
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string result;
        bool dropped = !asNobody || (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0);
        if (!dropped) {
            result = kNoUnprivilegedUser;
        } else {
            if (fileLimit > 0) {
                rlimit limit{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
                setrlimit(RLIMIT_FSIZE, &limit);
                signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
            }
            result = body();
        }
        ssize_t written = write(pipeEnds[1], result.data(), result.size());
        _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string result;
    char block[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], block, sizeof block)) > 0)
        result.append(block, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return result;
}

// The message boxes a scripted operator was shown, one "CAPTION: text" per line.
template <class Person>
std::string Shown(const Person& person)
{
    std::string all;
    for (const auto& m : person.shown)
        all += m.caption + ": " + m.text + "\n";
    return all;
}
