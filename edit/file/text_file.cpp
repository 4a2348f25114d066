#include "edit/file/text_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace edit {
namespace {

std::string Reason(int error) { return std::strerror(error); }

// Closes a descriptor on every way out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the kernel accepted the last writes.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that a save really replaces: the target of a symbolic link.
bool ResolveTarget(const std::string& path, std::string* target, std::string* reason) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        *target = path;
        return true;
    }
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
        *target = resolved;
        return true;
    }
    // A dangling link: create the file it names, relative to the link's folder.
    std::vector<char> link(PATH_MAX + 1);
    ssize_t n = ::readlink(path.c_str(), link.data(), PATH_MAX);
    if (n < 0) {
        *reason = Reason(errno);
        return false;
    }
    std::string name(link.data(), static_cast<std::size_t>(n));
    *target = name.starts_with('/') ? name : DirectoryOf(path) + "/" + name;
    return true;
}

}  // namespace

FileContents ReadWholeFile(const std::string& path) {
    FileContents result;
    auto fail = [&](const std::string& reason) {
        result.state = FileContents::State::Failed;
        result.bytes.clear();
        result.error = "cannot read " + path + ": " + reason;
        return result;
    };
    if (path.empty()) return fail("empty file name");

    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        if (errno == ENOENT) {
            result.state = FileContents::State::Missing;
            return result;
        }
        return fail(Reason(errno));
    }
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0) return fail(Reason(errno));
    if (S_ISDIR(st.st_mode)) return fail(Reason(EISDIR));
    if (!S_ISREG(st.st_mode)) return fail("not a regular file");

    result.bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(Reason(errno));
        }
        if (n == 0) break;
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result.state = FileContents::State::Read;
    return result;
}

bool SaveWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& reason) {
        if (error) *error = "cannot write " + path + ": " + reason;
        return false;
    };
    if (path.empty()) return fail("empty file name");

    std::string target, reason;
    if (!ResolveTarget(path, &target, &reason)) return fail(reason);

    struct stat old;
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return fail(Reason(errno));
    if (exists) {
        if (S_ISDIR(old.st_mode)) return fail(Reason(EISDIR));
        if (!S_ISREG(old.st_mode)) return fail("not a regular file");
        // The rename would replace a read-only file too; respect its protection.
        if (::access(target.c_str(), W_OK) != 0) return fail(Reason(errno));
    }

    std::string folder = DirectoryOf(target);
    std::string temp = folder + "/." + NameOf(target) + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    Descriptor fd(::mkstemp(name.data()));
    if (fd.Get() < 0) return fail(Reason(errno));
    temp = name.data();

    auto abandon = [&](int savedErrno) {
        ::unlink(temp.c_str());
        return fail(Reason(savedErrno));
    };
    mode_t mode;
    if (exists) {
        mode = old.st_mode & 07777;
        // Keep the owner where the system lets us; an ordinary user cannot and need not.
        if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0) {
            mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
        }
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.Get(), mode) != 0) return abandon(errno);
    if (!WriteAll(fd.Get(), bytes)) return abandon(errno);
    if (::fsync(fd.Get()) != 0) return abandon(errno);
    if (!fd.Close()) return abandon(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(errno);

    // Make the rename itself durable.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return true;
}

}  // namespace edit
