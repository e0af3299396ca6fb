#include "pty_drive.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

PtyDrive::PtyDrive() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        return;
    const char* name = ptsname(master_);
    if (!name)
        return;
    path_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave_ >= 0 && tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
    }
    tcgetattr(master_, &tio);
    cfmakeraw(&tio);
    tcsetattr(master_, TCSANOW, &tio);
    thread_ = std::thread([this] { Serve(); });
}

PtyDrive::~PtyDrive() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

void PtyDrive::SetValue(std::int32_t key, std::int32_t value) {
    std::lock_guard lock(mutex_);
    values_[key] = value;
}

void PtyDrive::Serve() {
    std::vector<std::uint8_t> pending;
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
            continue;
        std::uint8_t buffer[64];
        ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        pending.insert(pending.end(), buffer, buffer + n);
        while (pending.size() >= 10) {
            Answer(pending.data());
            pending.erase(pending.begin(), pending.begin() + 10);
        }
    }
}

void PtyDrive::Answer(const std::uint8_t* frame) {
    ++requests_;
    if (silent_)
        return;
    const std::uint8_t* sdo = frame + 1;
    std::int32_t key = sdo[1] << 8 | sdo[2] << 16 | sdo[3];
    std::uint8_t code = 0x43;
    std::int32_t value = 0;
    {
        std::lock_guard lock(mutex_);
        if ((sdo[0] & 0xE0) == 0x20) {
            code = 0x60;
            value = static_cast<std::int32_t>(sdo[4] | sdo[5] << 8 | sdo[6] << 16 |
                                              static_cast<std::uint32_t>(sdo[7]) << 24);
            values_[key] = value;
        } else if (auto it = values_.find(key); it != values_.end()) {
            value = it->second;
        }
    }
    std::uint8_t reply[10] = {frame[0], code, sdo[1], sdo[2], sdo[3]};
    for (int i = 0; i < 4; ++i) reply[5 + i] = static_cast<std::uint8_t>(value >> (8 * i));
    std::uint8_t sum = 0;
    for (int i = 0; i < 9; ++i) sum += reply[i];
    reply[9] = static_cast<std::uint8_t>(-sum);
    ssize_t written = ::write(master_, reply, sizeof reply);
    (void)written;
}
