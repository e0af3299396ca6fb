// The CAN link component (data/CAN.so) on Qt SerialBus. The bus device lives on a thread of
// the component running its own event loop; the worker's blocking Write and Read meet it
// through guarded queues: writes go into an outbox and wake the device thread through an
// eventfd, replies of the drive come back in an inbox.
#include <sys/eventfd.h>
#include <unistd.h>

#include <QCanBus>
#include <QCanBusDevice>
#include <QCanBusDeviceInfo>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QVariant>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "comm/can/bitrate.h"
#include "comm/can/replyframe.h"
#include "comm/commobject.h"

namespace {

constexpr std::uint32_t kReplyId = 0x580;
constexpr auto kConnectWait = std::chrono::seconds(3);
const char kDefaultAdapter[] = "socketcan:can0";

enum OpenError { NoPlugin = 1, NotConnected = 2, Refused = 3, NoThread = 4 };

struct Adapter {
    QString plugin;
    QString interface;
};

// "plugin:interface"; the interface may itself hold ':' (virtualcan's tcp://host:port/can0).
Adapter ParseAdapter(const char* text) {
    QString s = QString::fromUtf8(text).trimmed();
    if (s.isEmpty())
        s = kDefaultAdapter;
    int colon = s.indexOf(':');
    if (colon < 0)
        return {s, "can0"};
    return {s.left(colon), s.mid(colon + 1)};
}

struct Outgoing {
    CanMessage message;
    std::uint64_t ticket;
};

// One open bus: shared by the callers and the device thread, guarded by one mutex.
struct Session {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<CanMessage> inbox;
    std::deque<Outgoing> outbox;
    std::uint64_t posted = 0;      // tickets handed out
    std::uint64_t completed = 0;   // tickets the device thread has served
    std::uint64_t lastFailed = 0;  // the newest ticket whose write was refused
    bool connected = false;
    bool failed = false;  // no device, connection lost, or closed
    bool stop = false;
    int wakeFd = -1;
    std::uint32_t replyId = kReplyId;

    void Fail() {
        failed = true;
        changed.notify_all();
    }
    void Wake() const {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
    }
};

void OnFrames(Session& s, QCanBusDevice* device) {
    while (device->framesAvailable() > 0) {
        CanMessage m;
        if (!TakeReplyFrame(device->readFrame(), s.replyId, m))
            continue;
        std::lock_guard lock(s.mutex);
        s.inbox.push_back(m);
        s.changed.notify_all();
    }
}

// Device thread: sends what the outbox holds, or ends the loop when told to stop.
void ServeOutbox(Session& s, QCanBusDevice* device, QEventLoop& loop) {
    std::uint64_t drained;
    while (::read(s.wakeFd, &drained, sizeof drained) > 0) {
    }
    std::deque<Outgoing> out;
    {
        std::lock_guard lock(s.mutex);
        if (s.stop) {
            loop.quit();
            return;
        }
        out.swap(s.outbox);
    }
    for (const Outgoing& o : out) {
        QCanBusFrame frame(o.message.id, QByteArray(reinterpret_cast<const char*>(o.message.data),
                                                    qMin<int>(o.message.length, 8)));
        bool ok = device->writeFrame(frame);
        std::lock_guard lock(s.mutex);
        s.completed = o.ticket;
        if (!ok)
            s.lastFailed = o.ticket;
        s.changed.notify_all();
    }
}

void Watch(Session& s, QCanBusDevice* device) {
    QObject::connect(device, &QCanBusDevice::framesReceived, device,
                     [&s, device] { OnFrames(s, device); });
    QObject::connect(device, &QCanBusDevice::stateChanged, device,
                     [&s](QCanBusDevice::CanBusDeviceState state) {
                         std::lock_guard lock(s.mutex);
                         if (state == QCanBusDevice::ConnectedState)
                             s.connected = true;
                         if (state == QCanBusDevice::UnconnectedState && s.connected)
                             s.Fail();
                         s.changed.notify_all();
                     });
    QObject::connect(device, &QCanBusDevice::errorOccurred, device,
                     [&s](QCanBusDevice::CanBusError error) {
                         if (error != QCanBusDevice::ConnectionError)
                             return;
                         std::lock_guard lock(s.mutex);
                         s.Fail();
                     });
}

// The device thread's whole life: create, connect, serve, tear down.
void RunDevice(Session& s, Adapter adapter, int bitRate) {
    QEventLoop loop;
    QCanBusDevice* device =
        QCanBus::instance()->createDevice(adapter.plugin, adapter.interface, nullptr);
    if (!device) {
        std::lock_guard lock(s.mutex);
        s.Fail();
        return;
    }
    if (bitRate)
        device->setConfigurationParameter(QCanBusDevice::BitRateKey, QVariant(bitRate));
    Watch(s, device);
    QSocketNotifier wake(s.wakeFd, QSocketNotifier::Read);
    QObject::connect(&wake, &QSocketNotifier::activated, &wake,
                     [&] { ServeOutbox(s, device, loop); });
    if (!device->connectDevice()) {
        std::lock_guard lock(s.mutex);
        s.Fail();
    }
    loop.exec();
    device->disconnectDevice();
    delete device;
}

class CCanBusObject final : public CCanObject {
public:
    int Open(const CommSettings& settings) override;
    int Write(const CanMessage& message) override;
    int Read(CanMessage& message) override;
    int GetVersion(char* buffer256) override;
    int Reserved() override { return 0; }
    void Close() override {
        std::lock_guard life(lifecycle_);
        CloseLocked();
    }
    void Release() override {
        Close();
        delete this;
    }

private:
    ~CCanBusObject() override = default;
    void CloseLocked();
    std::shared_ptr<Session> Current() {
        std::lock_guard lock(current_);
        return session_;
    }

    std::mutex lifecycle_;  // Open and Close
    std::mutex current_;    // session_ and adapter_
    std::shared_ptr<Session> session_;
    std::thread thread_;
    Adapter adapter_ = ParseAdapter(kDefaultAdapter);
    int waitMs_ = 500;
};

int CCanBusObject::Open(const CommSettings& settings) {
    std::lock_guard life(lifecycle_);
    CloseLocked();
    Adapter adapter = ParseAdapter(settings.adapter);
    if (!QCanBus::instance()->plugins().contains(adapter.plugin))
        return NoPlugin;
    auto session = std::make_shared<Session>();
    session->replyId = kReplyId + static_cast<std::uint32_t>(settings.driveAddress);
    session->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (session->wakeFd < 0)
        return NoThread;
    {
        std::lock_guard lock(current_);
        adapter_ = adapter;
        waitMs_ = settings.waitMs > 0 ? settings.waitMs : 500;
        session_ = session;
    }
    try {
        thread_ = std::thread(RunDevice, std::ref(*session), adapter, PcanBitRate(settings.rate));
    } catch (const std::system_error&) {
        CloseLocked();
        return NoThread;
    }
    std::unique_lock lock(session->mutex);
    session->changed.wait_for(lock, kConnectWait,
                              [&] { return session->connected || session->failed; });
    if (session->connected && !session->failed)
        return 0;
    int result = session->failed ? Refused : NotConnected;
    lock.unlock();
    CloseLocked();
    return result;
}

void CCanBusObject::CloseLocked() {
    std::shared_ptr<Session> session;
    {
        std::lock_guard lock(current_);
        session = std::exchange(session_, nullptr);
    }
    if (!session)
        return;
    {
        std::lock_guard lock(session->mutex);
        session->stop = true;
        session->Fail();  // wakes and refuses callers from now on
    }
    session->Wake();
    if (thread_.joinable())
        thread_.join();
    ::close(session->wakeFd);
}

int CCanBusObject::Write(const CanMessage& message) {
    std::shared_ptr<Session> s = Current();
    if (!s)
        return 1;
    std::unique_lock lock(s->mutex);
    if (!s->connected || s->failed)
        return 1;
    s->inbox.clear();  // a late reply to an earlier request is not this one's
    std::uint64_t ticket = ++s->posted;
    s->outbox.push_back({message, ticket});
    s->Wake();
    s->changed.wait_for(lock, std::chrono::milliseconds(waitMs_),
                        [&] { return s->completed >= ticket || s->failed; });
    return s->completed >= ticket && s->lastFailed != ticket && !s->failed ? 0 : 1;
}

int CCanBusObject::Read(CanMessage& message) {
    std::shared_ptr<Session> s = Current();
    if (!s)
        return 1;
    std::unique_lock lock(s->mutex);
    s->changed.wait_for(lock, std::chrono::milliseconds(waitMs_),
                        [&] { return !s->inbox.empty() || s->failed; });
    if (s->failed || s->inbox.empty())
        return 1;
    message = s->inbox.front();
    s->inbox.pop_front();
    return 0;
}

// "plugin:interface:driver"; answers when the plugin is installed and knows an interface.
int CCanBusObject::GetVersion(char* buffer256) {
    Adapter adapter;
    {
        std::lock_guard lock(current_);
        adapter = adapter_;
    }
    QCanBus* bus = QCanBus::instance();
    if (!bus->plugins().contains(adapter.plugin))
        return 0;
    const QList<QCanBusDeviceInfo> devices = bus->availableDevices(adapter.plugin);
    if (devices.isEmpty())
        return 0;
    QString driver = devices.first().description();
    for (const QCanBusDeviceInfo& info : devices)
        if (adapter.interface.endsWith(info.name()))
            driver = info.description();
    if (driver.isEmpty())
        driver = adapter.plugin;
    QByteArray text = (adapter.plugin + ":" + adapter.interface + ":" + driver).toLatin1();
    std::snprintf(buffer256, 256, "%s", text.constData());
    return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void CreateCanObject(CCanObject** object) {
    *object = new (std::nothrow) CCanBusObject;
}
