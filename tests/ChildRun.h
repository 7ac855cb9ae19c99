#pragma once
// Runs part of a test in a forked child, as the unprivileged user or under a
// file size limit, without changing the test process; the child's result
// comes back as text through a pipe.

#include <csignal>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr uid_t kNobody = 65534;
// What InChild returns when the child could not become uid 65534.
inline const std::string kNoUnprivilegedUser = "<cannot drop to uid 65534>";

// `fileLimit` > 0: no file may grow past that many bytes (a full disk stand-in).
inline std::string InChild(const std::function<std::string()>& body, bool asNobody = false, long fileLimit = 0)
{
    int ends[2];
    if (pipe(ends) != 0)
        return "<no pipe>";
    if (fork() == 0) {
        std::string result = kNoUnprivilegedUser;
        if (!asNobody || (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0)) {
            rlimit limit{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
            if (fileLimit > 0 && setrlimit(RLIMIT_FSIZE, &limit) == 0)
                signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
            result = body();
        }
        _exit(write(ends[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    close(ends[1]);
    std::string result;
    char block[4096];
    for (ssize_t got; (got = read(ends[0], block, sizeof block)) > 0;)
        result.append(block, static_cast<size_t>(got));
    close(ends[0]);
    wait(nullptr);
    return result;
}
