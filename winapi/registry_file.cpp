#include "winapi/registry_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "winapi/config_folder.hpp"
#include "winapi/regedit_parse.hpp"
#include "winapi/regedit_write.hpp"

namespace winreg {

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// mkdir -p of the folder that holds the file.
bool CreateFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

ReadOutcome ReadWholeFile(const std::string& path, std::string* text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
    text->clear();
    char buffer[16384];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return ReadOutcome::Failed;
        }
        if (n == 0) break;
        text->append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadOutcome::Read;
}

namespace {

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself is durable only once the folder is flushed.
    const int folder = ::open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

std::string AsideName(const std::string& path) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string aside = path + ".broken-" + stamp;
    struct stat info {};
    for (int n = 2; ::lstat(aside.c_str(), &info) == 0; ++n) {
        aside = path + ".broken-" + stamp + "-" + std::to_string(n);
    }
    return aside;
}

namespace {

void Complain(const std::string& message) {
    const std::string line = "marten: " + message + "\n";
    WriteAll(STDERR_FILENO, line);
}

// Moves a damaged file out of the way under a name of its own, so that the
// user can still recover what it held.
bool MoveAside(const std::string& path, const ParseFailure& failure) {
    const std::string aside = AsideName(path);
    if (::rename(path.c_str(), aside.c_str()) != 0) {
        Complain("the registry file " + path + " cannot be parsed (line " +
                 std::to_string(failure.line) + ": " + failure.reason +
                 ") and cannot be moved aside; it is left unchanged");
        return false;
    }
    Complain("the registry file " + path + " cannot be parsed (line " +
             std::to_string(failure.line) + ": " + failure.reason + "); it was kept as " + aside +
             " and a new registry file is written");
    return true;
}

// An exclusive advisory lock on a file beside the registry file: the
// registry file itself is replaced by rename, so it cannot carry the lock.
// The lock file exists only while a writer holds it: the holder removes it
// before letting go, so none is left behind. A writer that waited on a file
// that has been removed meanwhile (or removed and made again) would share
// nothing with the next writer, who locks the file the name now names; so
// once granted, the lock counts only while the name still names the file
// locked, and otherwise is taken again on that name.
class RegistryLock {
public:
    explicit RegistryLock(const std::string& path) : path_(path + ".lock") {
        while (true) {
            fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (fd_ < 0) return;
            int status = ::flock(fd_, LOCK_EX);
            while (status != 0 && errno == EINTR) status = ::flock(fd_, LOCK_EX);
            const Named named = status == 0 ? NamesLockedFile() : Named::Failed;
            if (named == Named::Yes) return;
            ::close(fd_);
            fd_ = -1;
            if (named == Named::Failed) return;
        }
    }
    ~RegistryLock() {
        if (fd_ < 0) return;
        ::unlink(path_.c_str());  // while the lock is held: see above
        ::close(fd_);             // closing releases the lock
    }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;
    bool Held() const { return fd_ >= 0; }

private:
    enum class Named { Yes, No, Failed };

    Named NamesLockedFile() const {
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd_, &locked) != 0) return Named::Failed;
        if (::stat(path_.c_str(), &named) != 0) return errno == ENOENT ? Named::No : Named::Failed;
        const bool same = locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
        return same ? Named::Yes : Named::No;
    }

    std::string path_;
    int fd_ = -1;
};

}  // namespace

std::string RegistryFilePath() {
    std::string path = Environment("MARTEN_REGISTRY");
    if (!path.empty()) return path;
    const std::string folder = ConfigFolder();
    return folder.empty() ? std::string() : folder + "/registry.reg";
}

LONG ReadRegistry(const std::string& path, RegDocument* document) {
    *document = RegDocument{};
    std::string text;
    switch (ReadWholeFile(path, &text)) {
    case ReadOutcome::Missing: return ERROR_SUCCESS;
    case ReadOutcome::Failed: return ERROR_CANTREAD;
    case ReadOutcome::Read: break;
    }
    ParseResult parsed = ParseRegedit(text);
    if (!parsed.failure) *document = std::move(parsed.document);
    return ERROR_SUCCESS;
}

LONG ChangeRegistry(const std::string& path,
                    const std::function<LONG(RegDocument& document, bool* changed)>& change) {
    if (path.empty()) return ERROR_CANTOPEN;
    if (!CreateFolders(ParentFolder(path))) return ERROR_CANTWRITE;
    RegistryLock lock(path);
    if (!lock.Held()) return ERROR_CANTWRITE;

    RegDocument document;
    std::string text;
    const ReadOutcome outcome = ReadWholeFile(path, &text);
    if (outcome == ReadOutcome::Failed)
        return ERROR_CANTREAD;  // never overwrite what we cannot read
    bool damaged = false;
    std::optional<ParseFailure> failure;
    if (outcome == ReadOutcome::Read) {
        ParseResult parsed = ParseRegedit(text);
        if (parsed.failure) {
            damaged = true;
            failure = parsed.failure;
        } else {
            document = std::move(parsed.document);
        }
    }

    bool changed = false;
    const LONG result = change(document, &changed);
    if (!changed) return result;
    if (damaged && !MoveAside(path, *failure)) return ERROR_CANTWRITE;
    if (!ReplaceFile(path, SerialiseRegedit(document))) return ERROR_CANTWRITE;
    return result;
}

}  // namespace winreg
