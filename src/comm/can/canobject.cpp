// The CAN link component (data/CAN.so) on Qt SerialBus. The bus device lives on a thread of
// the component with its own event loop; the worker's blocking Write and Read meet it through
// a guarded queue of received replies and posted writes.
#include <QCanBus>
#include <QCanBusDevice>
#include <QCanBusDeviceInfo>
#include <QMetaObject>
#include <QThread>
#include <QVariant>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "comm/can/bitrate.h"
#include "comm/commobject.h"

namespace {

constexpr std::uint32_t kReplyId = 0x580;
constexpr auto kConnectWait = std::chrono::seconds(3);
const char kDefaultAdapter[] = "socketcan:can0";

enum OpenError { NoPlugin = 1, NotConnected = 2, Refused = 3 };

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

// State shared by the device thread and the callers, guarded by one mutex.
struct Link {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<CanMessage> replies;
    bool connected = false;
    bool failed = false;
    QString error;
};

struct WriteTicket {
    bool done = false;
    bool ok = false;
};

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
    void StartDevice(QCanBusDevice* device);
    void OnFrames(QCanBusDevice* device);
    bool WaitConnected();
    void CloseLocked();

    std::mutex lifecycle_;  // Open and Close
    std::shared_ptr<Link> link_ = std::make_shared<Link>();
    QThread* thread_ = nullptr;
    QObject* context_ = nullptr;  // lives on thread_; guarded by link_->mutex
    QCanBusDevice* device_ = nullptr;
    Adapter adapter_ = ParseAdapter(kDefaultAdapter);
    std::uint32_t replyId_ = kReplyId;
    int waitMs_ = 500;
};

void CCanBusObject::OnFrames(QCanBusDevice* device) {
    while (device->framesAvailable() > 0) {
        QCanBusFrame frame = device->readFrame();
        if (!frame.isValid() || frame.frameType() != QCanBusFrame::DataFrame)
            continue;
        if (frame.hasExtendedFrameFormat() || frame.frameId() != replyId_)
            continue;
        CanMessage m;
        m.id = frame.frameId();
        QByteArray payload = frame.payload();
        m.length = static_cast<std::uint8_t>(qMin<qsizetype>(payload.size(), 8));
        for (int i = 0; i < m.length; ++i) m.data[i] = static_cast<std::uint8_t>(payload[i]);
        std::lock_guard lock(link_->mutex);
        link_->replies.push_back(m);
        link_->changed.notify_all();
    }
}

// Runs on the device thread.
void CCanBusObject::StartDevice(QCanBusDevice* device) {
    std::shared_ptr<Link> link = link_;
    QObject::connect(device, &QCanBusDevice::framesReceived, device,
                     [this, device] { OnFrames(device); });
    QObject::connect(device, &QCanBusDevice::stateChanged, device,
                     [link](QCanBusDevice::CanBusDeviceState state) {
                         std::lock_guard lock(link->mutex);
                         if (state == QCanBusDevice::ConnectedState)
                             link->connected = true;
                         if (state == QCanBusDevice::UnconnectedState && link->connected)
                             link->failed = true;
                         link->changed.notify_all();
                     });
    QObject::connect(device, &QCanBusDevice::errorOccurred, device,
                     [link, device](QCanBusDevice::CanBusError error) {
                         if (error != QCanBusDevice::ConnectionError)
                             return;
                         std::lock_guard lock(link->mutex);
                         link->failed = true;
                         link->error = device->errorString();
                         link->changed.notify_all();
                     });
    if (!device->connectDevice()) {
        std::lock_guard lock(link->mutex);
        link->failed = true;
        link->changed.notify_all();
    }
}

bool CCanBusObject::WaitConnected() {
    std::unique_lock lock(link_->mutex);
    link_->changed.wait_for(lock, kConnectWait,
                            [this] { return link_->connected || link_->failed; });
    return link_->connected && !link_->failed;
}

int CCanBusObject::Open(const CommSettings& settings) {
    std::lock_guard life(lifecycle_);
    CloseLocked();
    adapter_ = ParseAdapter(settings.adapter);
    replyId_ = kReplyId + static_cast<std::uint32_t>(settings.driveAddress);
    waitMs_ = settings.waitMs > 0 ? settings.waitMs : 500;
    QString error;
    QCanBusDevice* device =
        QCanBus::instance()->createDevice(adapter_.plugin, adapter_.interface, &error);
    if (!device)
        return NoPlugin;
    if (int rate = PcanBitRate(settings.rate))
        device->setConfigurationParameter(QCanBusDevice::BitRateKey, QVariant(rate));
    thread_ = new QThread;
    thread_->setObjectName("CAN link");
    auto* context = new QObject;
    context->moveToThread(thread_);
    device->moveToThread(thread_);
    {
        auto link = std::make_shared<Link>();
        std::lock_guard lock(link->mutex);
        context_ = context;
        device_ = device;
        link_ = link;
    }
    thread_->start();
    QMetaObject::invokeMethod(
        context, [this, device] { StartDevice(device); }, Qt::QueuedConnection);
    if (WaitConnected())
        return 0;
    int result = link_->failed ? Refused : NotConnected;
    CloseLocked();
    return result;
}

void CCanBusObject::CloseLocked() {
    if (!thread_)
        return;
    QObject* context;
    QCanBusDevice* device;
    {
        std::lock_guard lock(link_->mutex);
        link_->failed = true;  // wakes and refuses callers from now on
        link_->connected = false;
        link_->changed.notify_all();
        context = std::exchange(context_, nullptr);
        device = std::exchange(device_, nullptr);
    }
    QMetaObject::invokeMethod(
        context,
        [device] {
            device->disconnectDevice();
            delete device;
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete context;
    delete std::exchange(thread_, nullptr);
}

int CCanBusObject::Write(const CanMessage& message) {
    std::shared_ptr<Link> link;
    auto ticket = std::make_shared<WriteTicket>();
    {
        std::lock_guard life(lifecycle_);
        link = link_;
    }
    std::unique_lock lock(link->mutex);
    if (!link->connected || link->failed || !context_)
        return 1;
    link->replies.clear();  // a late reply to an earlier request is not this one's
    QCanBusFrame frame(message.id, QByteArray(reinterpret_cast<const char*>(message.data),
                                              qMin<int>(message.length, 8)));
    QCanBusDevice* device = device_;
    QMetaObject::invokeMethod(
        context_,
        [link, ticket, device, frame] {
            bool ok = device->writeFrame(frame);
            std::lock_guard l(link->mutex);
            ticket->done = true;
            ticket->ok = ok;
            link->changed.notify_all();
        },
        Qt::QueuedConnection);
    link->changed.wait_for(lock, std::chrono::milliseconds(waitMs_),
                           [&] { return ticket->done || link->failed; });
    return ticket->done && ticket->ok && !link->failed ? 0 : 1;
}

int CCanBusObject::Read(CanMessage& message) {
    std::shared_ptr<Link> link;
    {
        std::lock_guard life(lifecycle_);
        link = link_;
    }
    std::unique_lock lock(link->mutex);
    link->changed.wait_for(lock, std::chrono::milliseconds(waitMs_),
                           [&] { return !link->replies.empty() || link->failed; });
    if (link->failed || link->replies.empty())
        return 1;
    message = link->replies.front();
    link->replies.pop_front();
    return 0;
}

// "plugin:interface:driver"; answers when the plugin is installed and knows an interface.
int CCanBusObject::GetVersion(char* buffer256) {
    Adapter adapter;
    {
        std::lock_guard life(lifecycle_);
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
