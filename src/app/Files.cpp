#include "app/Files.h"

#include "app/Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z7 {

static std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = systemError("Cannot open", path);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) st = {};
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        error = "Cannot open " + path + ": it is a folder";
        return false;
    }
    bytes.clear();
    if (S_ISREG(st.st_mode)) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = systemError("Cannot read", path);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool readTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::string bytes;
    if (!readFileBytes(path, bytes, error)) return false;
    lines = splitLines(bytes);
    return true;
}

static bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes a temporary file beside path with fill, flushes it and renames it over path.
template <typename Fill>
static bool replaceFile(const std::string& path, std::string& error, Fill fill) {
    std::string temp = directoryOf(path) + "." + fileNameOf(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = systemError("Cannot write", path);
        return false;
    }
    if (!fill(fd)) {
        error = systemError("Cannot write", path);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    ::fchmod(fd, mode);
    const bool synced = ::fdatasync(fd) == 0;
    const bool closed = ::close(fd) == 0;  // closed whether or not the flush worked
    if (!synced || !closed) {
        error = systemError("Cannot write", path);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = systemError("Cannot replace", path);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool writeFileAtomic(const std::string& path, std::string_view bytes, std::string& error) {
    return replaceFile(path, error, [&](int fd) { return writeAll(fd, bytes); });
}

bool writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines, std::string& error,
                      std::string_view lineEnd) {
    // Through a small buffer: a large project never needs a second copy of its whole text.
    return replaceFile(path, error, [&](int fd) {
        constexpr std::size_t BufferSize = 1 << 16;
        std::string buffer;
        buffer.reserve(BufferSize);
        for (const std::string& line : lines) {
            if (buffer.size() + line.size() + lineEnd.size() > BufferSize) {
                if (!writeAll(fd, buffer)) return false;
                buffer.clear();
            }
            if (line.size() + lineEnd.size() > BufferSize) {
                if (!writeAll(fd, line) || !writeAll(fd, lineEnd)) return false;
                continue;
            }
            buffer += line;
            buffer += lineEnd;
        }
        return writeAll(fd, buffer);
    });
}

static std::size_t lastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::string directoryOf(std::string_view path) {
    const std::size_t at = lastSeparator(path);
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string fileNameOf(std::string_view path) {
    const std::size_t at = lastSeparator(path);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string replaceExtension(std::string_view path, std::string_view ext) {
    const std::size_t sep = lastSeparator(path);
    const std::size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = path.find_last_of('.');
    std::string base(dot != std::string_view::npos && dot >= nameStart ? path.substr(0, dot) : path);
    return base + std::string(ext);
}

std::string extensionOf(std::string_view path) {
    const std::size_t sep = lastSeparator(path);
    const std::size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < nameStart) return {};
    return std::string(path.substr(dot + 1));
}

std::string programDirectory() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "./";
    return directoryOf(std::string_view(buffer, static_cast<std::size_t>(n)));
}

}  // namespace z7
