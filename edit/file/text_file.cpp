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

// Collects small pieces into one buffer, so that a document of many short
// lines costs few system calls; counts what reached the file.
class BufferedWriter {
public:
    explicit BufferedWriter(int fd) : fd_(fd) { buffer_.reserve(kCapacity); }

    bool Write(std::string_view bytes) {
        if (error_ != 0) return false;
        if (buffer_.size() + bytes.size() > kCapacity && !Flush()) return false;
        if (bytes.size() >= kCapacity) return Put(bytes);
        buffer_.append(bytes);
        return true;
    }
    bool Flush() {
        if (error_ != 0) return false;
        bool ok = Put(buffer_);
        buffer_.clear();
        return ok;
    }
    off_t Written() const { return written_; }
    int Error() const { return error_; }

private:
    static constexpr std::size_t kCapacity = 1 << 16;
    bool Put(std::string_view bytes) {
        if (!WriteAll(fd_, bytes)) {
            error_ = errno != 0 ? errno : EIO;
            return false;
        }
        written_ += static_cast<off_t>(bytes.size());
        return true;
    }
    int fd_;
    std::string buffer_;
    off_t written_ = 0;
    int error_ = 0;
};

// Writes what `produce` makes into `fd` from its current offset; `size` gets
// the number of bytes written, `reason` what went wrong.
bool Produce(int fd, const ByteProducer& produce, off_t* size, std::string* reason) {
    BufferedWriter out(fd);
    bool produced = produce([&out](std::string_view bytes) { return out.Write(bytes); });
    if (produced && out.Flush()) {
        *size = out.Written();
        return true;
    }
    *reason = out.Error() != 0 ? Reason(out.Error()) : "the text to save was incomplete";
    return false;
}

// Copies the whole of `from` into `to` (both from their current offsets).
bool CopyAll(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        if (!WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    }
}

void SyncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

// A new file beside `target`, named after it and hidden: ".name.XXXXXX".
int CreateBeside(const std::string& target, std::string* name) {
    std::string pattern = DirectoryOf(target) + "/." + NameOf(target) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = ::mkstemp(buffer.data());
    if (fd >= 0) *name = buffer.data();
    return fd;
}

// What may be done with an existing file that the caller wants to replace.
struct WriteAccess {
    bool writable = false;  // the system lets the caller write it
    bool readOnly = false;  // read-only as the editor sees it
};

WriteAccess AccessOf(const std::string& target, const struct stat& st) {
    WriteAccess access;
    access.writable = ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
    bool noWriteBits = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    access.readOnly = !access.writable || noWriteBits;
    return access;
}

// A new file, or one with a single name: a temporary file beside it becomes it.
bool ReplaceByRename(const std::string& target, const struct stat* old, const ByteProducer& produce,
                     std::string* reason) {
    std::string temp;
    Descriptor fd(CreateBeside(target, &temp));
    if (fd.Get() < 0) {
        *reason = Reason(errno);
        return false;
    }
    auto abandon = [&](const std::string& why) {
        ::unlink(temp.c_str());
        *reason = why;
        return false;
    };
    mode_t mode;
    if (old != nullptr) {
        mode = old->st_mode & 07777;
        // Keep the owner where the system lets us; an ordinary user cannot and need not.
        if (::fchown(fd.Get(), old->st_uid, old->st_gid) != 0) {
            mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
        }
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.Get(), mode) != 0) return abandon(Reason(errno));
    off_t size = 0;
    std::string why;
    if (!Produce(fd.Get(), produce, &size, &why)) return abandon(why);
    if (::fsync(fd.Get()) != 0) return abandon(Reason(errno));
    if (!fd.Close()) return abandon(Reason(errno));
    if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(Reason(errno));
    SyncFolder(DirectoryOf(target));  // makes the rename itself durable
    return true;
}

// Writes `produce` over the file open as `fd` from its start and cuts it there.
bool Overwrite(int fd, const ByteProducer& produce, std::string* reason) {
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        *reason = Reason(errno);
        return false;
    }
    off_t size = 0;
    if (!Produce(fd, produce, &size, reason)) return false;
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) {
        *reason = Reason(errno);
        return false;
    }
    return true;
}

// A file with other hard links: renaming would part it from them, so it is
// written in place, with a flushed copy of the old text beside it meanwhile.
bool WriteInPlace(const std::string& target, const struct stat& old, bool addWritePermission,
                  const ByteProducer& produce, std::string* reason) {
    std::string backup;
    {
        Descriptor source(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
        if (source.Get() < 0) {
            *reason = Reason(errno);
            return false;
        }
        Descriptor copy(CreateBeside(target, &backup));
        if (copy.Get() < 0) {
            *reason = Reason(errno);
            return false;
        }
        if (!CopyAll(source.Get(), copy.Get()) || ::fsync(copy.Get()) != 0 || !copy.Close()) {
            *reason = Reason(errno);
            ::unlink(backup.c_str());
            return false;
        }
        SyncFolder(DirectoryOf(target));
    }

    // The owner's "save anyway": write permission just for the write.
    const mode_t mode = old.st_mode & 07777;
    if (addWritePermission && ::chmod(target.c_str(), mode | S_IWUSR) != 0) {
        *reason = Reason(errno);
        ::unlink(backup.c_str());
        return false;
    }
    bool written = false;
    bool restored = false;
    {
        Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
        if (fd.Get() < 0) {
            *reason = Reason(errno);
            restored = true;  // nothing was touched
        } else {
            written = Overwrite(fd.Get(), produce, reason) && fd.Close();
            if (!written && fd.Get() >= 0) {
                Descriptor copy(::open(backup.c_str(), O_RDONLY | O_CLOEXEC));
                auto fromBackup = [&copy](const ByteSink& write) {
                    char buffer[1 << 16];
                    for (;;) {
                        ssize_t n = ::read(copy.Get(), buffer, sizeof buffer);
                        if (n < 0 && errno == EINTR) continue;
                        if (n <= 0) return n == 0;
                        if (!write(std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
                    }
                };
                std::string ignored;
                restored = copy.Get() >= 0 && Overwrite(fd.Get(), fromBackup, &ignored);
            }
        }
    }
    if (addWritePermission) ::chmod(target.c_str(), mode);
    if (written || restored) {
        ::unlink(backup.c_str());
    } else {
        *reason += "; the old text is kept in " + backup;
    }
    return written;
}

}  // namespace

bool IsReadOnly(const std::string& path) {
    std::string target, reason;
    struct stat st;
    if (!ResolveTarget(path, &target, &reason) || ::stat(target.c_str(), &st) != 0) return false;
    return S_ISREG(st.st_mode) && AccessOf(target, st).readOnly;
}

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


bool SaveWholeFile(const std::string& path, const ByteProducer& produce, std::string* error,
                   ReadOnlyFiles readOnly) {
    auto fail = [&](const std::string& reason) {
        if (error) *error = "cannot write " + path + ": " + reason;
        return false;
    };
    if (path.empty()) return fail("empty file name");

    std::string target, reason;
    if (!ResolveTarget(path, &target, &reason)) return fail(reason);

    struct stat old;
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT) return fail(Reason(errno));
        if (!ReplaceByRename(target, nullptr, produce, &reason)) return fail(reason);
        return true;
    }
    if (S_ISDIR(old.st_mode)) return fail(Reason(EISDIR));
    if (!S_ISREG(old.st_mode)) return fail("not a regular file");

    WriteAccess access = AccessOf(target, old);
    if (access.readOnly) {
        if (readOnly == ReadOnlyFiles::Refuse) return fail("the file is read-only");
        // Another user's protected file stays protected, "save anyway" or not.
        if (!access.writable && old.st_uid != ::geteuid()) return fail(Reason(EACCES));
    }
    bool saved = old.st_nlink > 1
                     ? WriteInPlace(target, old, !access.writable, produce, &reason)
                     : ReplaceByRename(target, &old, produce, &reason);
    return saved || fail(reason);
}

bool SaveWholeFile(const std::string& path, std::string_view bytes, std::string* error,
                   ReadOnlyFiles readOnly) {
    return SaveWholeFile(
        path, [bytes](const ByteSink& write) { return write(bytes); }, error, readOnly);
}

}  // namespace edit
