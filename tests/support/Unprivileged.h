#pragma once
// Runs a piece of a test as an ordinary user. Tests often run as root (CI
// does), and root ignores permission bits, so a read-only folder refuses
// nothing there. runUnprivileged forks; the child drops to the unprivileged
// user and group 65534 when it is root, runs `body` and reports back.
//
// `body` runs in the child: it must not use gtest assertions. It returns ""
// when everything held, else a description of what did not. The parent gets
// that text, or a description of how the child failed.

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <string>

namespace kotou::test {

inline constexpr uid_t kUnprivilegedId = 65534;

// A fresh folder in the system's temporary folder that the unprivileged user
// owns (so it can be reached whatever the build folder's permissions are).
// The caller removes it.
inline std::filesystem::path unprivilegedScratch(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / ("kotou-" + name + "-XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    if (::geteuid() == 0 && ::chown(pattern.c_str(), kUnprivilegedId, kUnprivilegedId) != 0)
        return {};
    return pattern;
}

inline std::string runUnprivileged(const std::function<std::string()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "cannot make a pipe";
    const pid_t pid = ::fork();
    if (pid < 0) return "cannot fork";
    if (pid == 0) {
        ::close(pipeFds[0]);
        std::string result;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 ||
                                 ::setuid(kUnprivilegedId) != 0)) {
            result = "cannot drop to the unprivileged user";
        } else {
            try {
                result = body();
            } catch (const std::exception& e) {
                result = std::string("exception: ") + e.what();
            }
        }
        size_t done = 0;
        while (done < result.size()) {
            const ssize_t n = ::write(pipeFds[1], result.data() + done, result.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string out;
    char buf[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child ended abnormally (status " + std::to_string(status) + ")";
    return out;
}

}  // namespace kotou::test
