#include "state/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kotou {

namespace fs = std::filesystem;

namespace {

// Writes all of `bytes` to `fd` from its current offset and flushes them to
// the disk. Returns 0 or the first error met: a later step (fsync after a
// failed write) must not replace the cause the player should see.
int writeAndSync(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Closes `fd`; the error of the close counts only when there was none before.
int closeKeepingFirst(int fd, int err) {
    const int closed = ::close(fd) == 0 ? 0 : errno;
    return err != 0 ? err : closed;
}

// A name beside `file` that no earlier save left behind: the process id and
// a counter, so two saves (or two programs) never share one.
fs::path temporaryName(const fs::path& file) {
    static unsigned counter = 0;
    fs::path tmp = file;
    tmp += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    return tmp;
}

// Creates the temporary file exclusively, never through a symbolic link
// planted under its name. Returns the descriptor or -1 with errno set.
int createTemporary(const fs::path& file, mode_t mode, fs::path& tmp) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tmp = temporaryName(file);
        const int fd =
            ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Makes a rename in `dir` survive a crash. A folder that cannot be opened
// for reading cannot be synced; the file itself is already on the disk then.
int syncFolder(const fs::path& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    const int err = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    return closeKeepingFirst(fd, err);
}

// The fallback for a folder where no new file may be made: the file is
// overwritten where it is. A failure half-way can damage it, so this is only
// used when the safe way is impossible.
void overwriteInPlace(const fs::path& file, std::string_view bytes, const std::string& label,
                      const std::string& whyNotSafe) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(label + ": " + whyNotSafe);
    int err = writeAndSync(fd, bytes);
    if (err == 0 && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) err = errno;
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    err = closeKeepingFirst(fd, err);
    if (err != 0) throw FileError(label + ": cannot write the file: " + std::strerror(err));
}

}  // namespace

void replaceFile(const fs::path& file, std::string_view bytes, const std::string& label) {
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT && errno != ENOTDIR)
        throw FileError(label + ": cannot reach the file: " + std::strerror(errno));
    if (exists && (old.st_mode & S_IWUSR) == 0) throw FileError(label + ": the file is read-only");

    // The new file gets the old one's permission bits; a new save the usual
    // ones (the process's umask applies).
    const mode_t mode = exists ? (old.st_mode & 0777) : 0666;
    fs::path tmp;
    const int fd = createTemporary(file, mode, tmp);
    if (fd < 0) {
        const int err = errno;
        std::error_code ec;
        const fs::path dir = file.parent_path();
        if (!dir.empty() && !fs::is_directory(dir, ec))
            throw FileError(label + ": the folder " + dir.filename().string() + " is missing");
        const std::string why =
            "cannot create " + tmp.filename().string() + ": " + std::strerror(err);
        // A folder the player may not add files to, holding a save the player
        // may write: the save goes where it is rather than not at all.
        if (exists && (err == EACCES || err == EPERM)) {
            overwriteInPlace(file, bytes, label, why);
            return;
        }
        throw FileError(label + ": " + why);
    }
    int err = writeAndSync(fd, bytes);
    // The umask may have taken bits away from the old file's permissions.
    if (err == 0 && exists && ::fchmod(fd, mode) != 0) err = errno;
    err = closeKeepingFirst(fd, err);
    if (err != 0) {
        ::unlink(tmp.c_str());
        throw FileError(label + ": cannot write the file: " + std::strerror(err));
    }
    if (::rename(tmp.c_str(), file.c_str()) != 0) {
        err = errno;
        ::unlink(tmp.c_str());
        throw FileError(label + ": cannot replace the file: " + std::strerror(err));
    }
    err = syncFolder(file.parent_path());
    if (err != 0)
        throw FileError(label + ": the file was replaced but the folder could not be synced: " +
                        std::strerror(err));
}

}  // namespace kotou
