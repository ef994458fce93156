#include "link/Pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace z7 {

Pty::Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error_ = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return;
    }
    char name[256] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error_ = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return;
    }
    path_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error_ = "cannot open " + path_ + ": " + std::strerror(errno);
        return;
    }
    // Raw from the start, so nothing is echoed or translated before the program sets the line up.
    termios raw{};
    if (::tcgetattr(slave_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
    }
}

Pty::~Pty() {
    hangUp();
    if (!link_.empty()) ::unlink(link_.c_str());
}

void Pty::hangUp() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

int Pty::masterWaiting() const {
    int n = 0;
    return master_ >= 0 && ::ioctl(master_, FIONREAD, &n) == 0 ? n : 0;
}

int Pty::slaveWaiting() const {
    int n = 0;
    return slave_ >= 0 && ::ioctl(slave_, FIONREAD, &n) == 0 ? n : 0;
}

std::string Pty::readMaster() {
    std::string bytes;
    if (master_ < 0) return bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool Pty::writeMaster(const std::string& bytes) {
    std::size_t done = 0;
    int waits = 0;  // nobody reading for a second: the rest is dropped, as a full line buffer would
    while (master_ >= 0 && done < bytes.size() && waits < 10) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            ++waits;
        } else {
            return false;
        }
    }
    return done == bytes.size();
}

bool Pty::makeLink(const std::string& linkPath) {
    ::unlink(linkPath.c_str());
    if (::symlink(path_.c_str(), linkPath.c_str()) != 0) {
        error_ = "cannot make the link " + linkPath + ": " + std::strerror(errno);
        return false;
    }
    link_ = linkPath;
    return true;
}

}  // namespace z7
