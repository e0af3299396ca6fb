#include "roundtrip.h"

#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/global.h"
#include "comm/protocol.h"

namespace {

using Clock = std::chrono::steady_clock;

double UsSince(Clock::time_point start, int count) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

// Every value starts the next read until the count is reached.
class ChainPage : public platform::MessageTarget {
public:
    ChainPage(CCtrlLink& link, int count, QEventLoop& loop)
        : link_(link), left_(count), loop_(loop) {}
    platform::LResult OnMessage(unsigned msg, platform::WParam, platform::LParam) override {
        if (msg != platform::WM_LINK_VALUE)
            return 0;
        if (--left_ > 0)
            link_.Request(Handle(), sdo::Read, 0x604100, 0);
        else
            loop_.quit();
        return 0;
    }

private:
    CCtrlLink& link_;
    int left_;
    QEventLoop& loop_;
};

}  // namespace

int MemoryComponent::Write(const std::uint8_t* bytes, int) {
    std::copy_n(bytes, 10, reply_);
    reply_[1] = 0x43;
    reply_[5] = 0x37;
    reply_[9] = CProtocol::Checksum(reply_);
    return 0;
}

int MemoryComponent::Read(std::uint8_t* buffer, int* count) {
    std::copy_n(reply_, 10, buffer);
    *count = 10;
    return 0;
}

double ChainedExchangesUs(CGlobal& global, int count) {
    QEventLoop loop;
    ChainPage page(global.link, count, loop);
    const auto start = Clock::now();
    global.link.Request(page.Handle(), sdo::Read, 0x604100, 0);
    loop.exec();
    return UsSince(start, count);
}

double LinkInMemoryUs(const QString& base, int count) {
    CGlobal global(base);
    global.pollingEnabled = 0;
    global.link.Protocol().SetLinkKind(CComm::Serial);
    global.link.Protocol().Comm().Attach(new MemoryComponent);
    global.online = 1;
    ChainedExchangesUs(global, std::max(1, count / 10));  // warm-up
    const double us = ChainedExchangesUs(global, count);
    global.online = 2;
    return us;
}

double HandoverFloorUs(int count) {
    std::mutex mutex;
    std::condition_variable cv;
    int turn = 0;
    std::thread other([&] {
        for (int i = 0; i < count; ++i) {
            std::unique_lock lock(mutex);
            cv.wait(lock, [&] { return turn == 1; });
            turn = 0;
            lock.unlock();
            cv.notify_all();
        }
    });
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        std::unique_lock lock(mutex);
        turn = 1;
        lock.unlock();
        cv.notify_all();
        lock.lock();
        cv.wait(lock, [&] { return turn == 0; });
    }
    const double us = UsSince(start, count);
    other.join();
    return us;
}
