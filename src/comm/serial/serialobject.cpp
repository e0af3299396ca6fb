// The serial link component (data/COM.so): termios on a device path, raw 8N1, no flow
// control. Write discards stale input first, so a late reply of an earlier request cannot be
// taken for the next one; Read collects one 10-byte frame within the reply wait.
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <new>

#include "comm/commobject.h"
#include "comm/serial/baudrate.h"

namespace {

constexpr int kFrameSize = 10;

int ElapsedMs(std::chrono::steady_clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count());
}

class CSerialObject final : public CCommObject {
public:
    CSerialObject() : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

    int Open(const CommSettings& settings) override {
        std::lock_guard lock(io_);
        CloseLocked();
        waitMs_ = settings.waitMs > 0 ? settings.waitMs : 500;
        int fd = ::open(settings.portName, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errno;
        int error = Configure(fd, settings.rate);
        if (error != 0) {
            ::close(fd);
            return error;
        }
        fd_ = fd;
        return 0;
    }

    int Write(const std::uint8_t* bytes, int count) override {
        std::lock_guard lock(io_);
        if (fd_ < 0)
            return EBADF;
        tcflush(fd_, TCIFLUSH);
        auto start = std::chrono::steady_clock::now();
        int sent = 0;
        while (sent < count) {
            ssize_t n = ::write(fd_, bytes + sent, static_cast<size_t>(count - sent));
            if (n > 0) {
                sent += static_cast<int>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return errno;
            int left = waitMs_ - ElapsedMs(start);
            if (left <= 0 || !Wait(POLLOUT, left))
                return ETIMEDOUT;
        }
        return 0;
    }

    int Read(std::uint8_t* buffer10, int* count) override {
        std::lock_guard lock(io_);
        *count = 0;
        if (fd_ < 0)
            return EBADF;
        auto start = std::chrono::steady_clock::now();
        while (*count < kFrameSize) {
            // Wait before reading: the reply is never there the moment the request has left,
            // and poll tells waiting from hang-up (a raw line without VMIN reads 0 when empty).
            // Once the time is up, the line is looked at once more without waiting.
            const int left = waitMs_ - ElapsedMs(start);
            int ready = Wait(POLLIN, std::max(0, left));
            if (ready < 0)
                return EIO;
            if (ready == 0)
                break;
            ssize_t n = ::read(fd_, buffer10 + *count, static_cast<size_t>(kFrameSize - *count));
            if (n > 0)
                *count += static_cast<int>(n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return errno;
            if (left <= 0)
                break;
        }
        return 0;
    }

    int Reserved() override { return 0; }

    // Wakes a Write or Read waiting on the line, then closes once it has let go.
    void Close() override {
        closing_.store(true);
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
        std::lock_guard lock(io_);
        CloseLocked();
        std::uint64_t drained;
        while (::read(wakeFd_, &drained, sizeof drained) > 0) {
        }
        closing_.store(false);
    }

    void Release() override {
        Close();
        delete this;
    }

private:
    ~CSerialObject() override {
        if (wakeFd_ >= 0)
            ::close(wakeFd_);
    }

    static int Configure(int fd, int rate) {
        termios tio{};
        if (tcgetattr(fd, &tio) != 0)
            return errno;
        cfmakeraw(&tio);
        tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        tio.c_iflag &= ~(IXON | IXOFF | IXANY);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        if (tcsetattr(fd, TCSANOW, &tio) != 0)
            return errno;
        return SetLineSpeed(fd, rate);
    }

    // 1 when the line is ready, 0 on time-out or a Close, -1 when the line hung up.
    int Wait(short events, int timeoutMs) {
        if (closing_.load())
            return 0;
        pollfd fds[2] = {{fd_, events, 0}, {wakeFd_, POLLIN, 0}};
        int n = ::poll(fds, 2, timeoutMs);
        if (n < 0)
            return errno == EINTR ? 1 : -1;
        if (n == 0 || (fds[1].revents & POLLIN))
            return 0;
        if (fds[0].revents & events)
            return 1;
        return (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) ? -1 : 1;
    }

    void CloseLocked() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    std::mutex io_;
    int fd_ = -1;
    int wakeFd_;
    int waitMs_ = 500;
    std::atomic<bool> closing_{false};
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void CreateObject(CCommObject** object) {
    *object = new (std::nothrow) CSerialObject;
}
