#include "comm/ctrllink.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "comm/protocol.h"
#include "comm/watchlist.h"
#include "platform/folders.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

using platform::WindowHandle;

namespace {
// Fixed waits of the worker, in milliseconds.
constexpr int kOfflineWait = 50;
constexpr int kLastQueuedWait = 5;
constexpr int kPollGap = 10;
constexpr int kPassEndWait = 30;
constexpr int kIdleRecheck = 50;  // flags change without a wake-up; look again this often
}  // namespace

struct CCtrlLink::Impl {
    Impl(CLinkFlags& f, const CFolders& d) : flags(f), folders(d), protocol(d.DataFolder()) {}

    CLinkFlags& flags;
    const CFolders& folders;
    CWatchList watches;
    CProtocol protocol;
    std::deque<CScopeTempList> held;       // parked while another window has priority
    std::deque<CScopeTempList> displaced;  // pushed out of the slot by a newer request
    int pending = 0;
    CScopeTempList slot;
    std::mutex mutex;  // the slot, both queues and the watch list
    std::condition_variable wake;
    std::thread worker;

    bool Stopping() const { return flags.stopWorker.load() != 0; }
    bool Online() const { return flags.online.load() == 1; }
    void Sleep(int ms);
    bool HasWork() const;
    void OfflineWait();
    void IdleWait();
    int Place(const CScopeTempList& request);
    void TakeQueued(std::deque<CScopeTempList>& queue, bool held);
    bool RunPending();
    bool PollingPass();
    bool PollStep(bool& kind1Mark, bool& kind2Mark);
    bool PollNext(std::uint8_t kind, bool& found);
    bool Poll(const CWatch& watch);
    enum class Outcome { Stop, Failed, Decoded };
    // One exchange and its decoding; a transport failure reports the link down.
    Outcome Exchange(std::int32_t key, std::uint8_t command, std::int32_t data,
                     std::uint8_t& status, std::int32_t& value);
    bool PassOver();
    void Send(WindowHandle window, unsigned msg, std::int32_t w, std::int32_t l);
    void Run();
};

void CCtrlLink::Impl::Sleep(int ms) {
    std::unique_lock lock(mutex);
    wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return Stopping(); });
}

// A request in the slot or a queue the worker may serve (the mutex is held).
bool CCtrlLink::Impl::HasWork() const {
    return pending || !displaced.empty() || (flags.serveHeldQueue.load() == 1 && !held.empty());
}

// The link is not open: look again in 50 ms. A request is only taken while the link is open,
// so one arriving now ends the wait at once instead of waiting out the rest of the step.
void CCtrlLink::Impl::OfflineWait() {
    std::unique_lock lock(mutex);
    wake.wait_for(lock, std::chrono::milliseconds(kOfflineWait),
                  [this] { return Stopping() || (Online() && HasWork()); });
}

// Polling off and nothing to do: wait for a request instead of spinning.
void CCtrlLink::Impl::IdleWait() {
    std::unique_lock lock(mutex);
    wake.wait_for(lock, std::chrono::milliseconds(kIdleRecheck),
                  [this] { return Stopping() || HasWork(); });
}

void CCtrlLink::Impl::Send(WindowHandle window, unsigned msg, std::int32_t w, std::int32_t l) {
    platform::SendMessage(window, msg, static_cast<std::uint32_t>(w), l, &flags.stopWorker);
}

// Moves the head of a queue into the empty slot; before the last one the worker waits a
// moment so a burst still arriving keeps its order.
void CCtrlLink::Impl::TakeQueued(std::deque<CScopeTempList>& queue, bool isHeld) {
    auto ready = [&] {
        return !pending && !queue.empty() && (!isHeld || flags.serveHeldQueue.load() == 1);
    };
    std::unique_lock lock(mutex);
    if (!ready())
        return;
    if (queue.size() == 1) {
        lock.unlock();
        Sleep(kLastQueuedWait);
        lock.lock();
        if (!ready())
            return;
    }
    slot = queue.front();
    queue.pop_front();
    pending = 1;
}

// Runs the slot's request; false when the worker is to end.
bool CCtrlLink::Impl::RunPending() {
    if (!Online()) {
        OfflineWait();
        return true;
    }
    if (Stopping())
        return false;
    CScopeTempList request;
    {
        std::lock_guard lock(mutex);
        request = slot;
        pending = 0;
    }
    std::uint8_t status = 0;
    std::int32_t value = 0;
    Outcome outcome = Exchange(request.key, request.command, request.data, status, value);
    if (outcome != Outcome::Decoded)
        return outcome != Outcome::Stop;
    switch (status) {
        case CProtocol::Value:
            Send(request.window, platform::WM_LINK_VALUE, value, request.key);
            break;
        case CProtocol::Segment:
            Send(request.window, platform::WM_LINK_SEGMENT, value, request.key);
            break;
        case CProtocol::Aborted:
            Send(request.window, platform::WM_LINK_ABORT, value, request.key);
            break;
        default:
            break;
    }
    return true;
}

CCtrlLink::Impl::Outcome CCtrlLink::Impl::Exchange(std::int32_t key, std::uint8_t command,
                                                   std::int32_t data, std::uint8_t& status,
                                                   std::int32_t& value) {
    int result = protocol.Transact(key, command, data);
    if (Stopping())
        return Outcome::Stop;
    if (result != 0) {
        Send(flags.mainWindow.load(), platform::WM_LINK_STATE, 0, 0);
        return Outcome::Failed;
    }
    return protocol.GetResult(status, value) == 1 ? Outcome::Decoded : Outcome::Failed;
}

// Unlike a request, an undecoded poll still reports the last value.
bool CCtrlLink::Impl::Poll(const CWatch& watch) {
    if (!Online())
        return true;
    if (Stopping())
        return false;
    std::uint8_t status = 0;
    std::int32_t value = 0;
    Outcome outcome = Exchange(watch.key, sdo::Read, 0, status, value);
    if (outcome != Outcome::Decoded)
        return outcome != Outcome::Stop;
    unsigned msg = status == CProtocol::Aborted ? platform::WM_LINK_ABORT : platform::WM_LINK_VALUE;
    Send(watch.window, msg, value, watch.key);
    return true;
}

// Polls the next active watch of the kind, when there is one (`found`).
bool CCtrlLink::Impl::PollNext(std::uint8_t kind, bool& found) {
    CWatch watch;
    {
        std::lock_guard lock(mutex);
        found = watches.Next(kind, watch);
    }
    return !found || Poll(watch);
}

// One kind-1 watch, then one kind-2 watch; a kind-2 watch follows only a found kind-1 watch.
bool CCtrlLink::Impl::PollStep(bool& kind1Mark, bool& kind2Mark) {
    bool found = false;
    if (!kind1Mark) {
        kind2Mark = false;
        const bool go = PollNext(1, found);
        kind1Mark = found;
        return go;
    }
    if (kind2Mark) {
        kind1Mark = kind2Mark = false;
        return true;
    }
    kind1Mark = false;
    const bool go = PollNext(2, found);
    kind2Mark = found;
    return go;
}

bool CCtrlLink::Impl::PassOver() {
    std::lock_guard lock(mutex);
    return pending || flags.pollingEnabled.load() == 0 || watches.Empty() || !Online() ||
           Stopping();
}

bool CCtrlLink::Impl::PollingPass() {
    bool empty;
    {
        std::lock_guard lock(mutex);
        empty = watches.Empty();
    }
    if (empty) {
        Sleep(kPassEndWait);
        return true;
    }
    bool kind1Mark = false, kind2Mark = false;
    for (;;) {
        if (!PollStep(kind1Mark, kind2Mark))
            return false;
        Sleep(kPollGap);
        if (PassOver()) {
            Sleep(kPassEndWait);
            return true;
        }
    }
}

void CCtrlLink::Impl::Run() {
    while (!Stopping()) {
        if (!Online()) {
            OfflineWait();
            continue;
        }
        TakeQueued(held, true);
        TakeQueued(displaced, false);
        bool hasRequest;
        {
            std::lock_guard lock(mutex);
            hasRequest = pending != 0;
        }
        if (hasRequest) {
            if (!RunPending())
                return;
        } else if (flags.pollingEnabled.load() == 0) {
            IdleWait();
        } else if (!PollingPass()) {
            return;
        }
    }
}

CCtrlLink::CCtrlLink(CLinkFlags& flags, const CFolders& folders) : impl_(new Impl(flags, folders)) {
    try {
        impl_->worker = std::thread([this] { impl_->Run(); });
    } catch (const std::system_error&) {
        platform::MessageBox("Control link, create thread fail!!\n");
    }
}

CCtrlLink::~CCtrlLink() {
    impl_->flags.stopWorker.store(1);
    {
        std::lock_guard lock(impl_->mutex);
        impl_->wake.notify_all();
    }
    impl_->protocol.Close();  // a worker waiting for a reply lets go at once
    if (impl_->worker.joinable())
        impl_->worker.join();
    delete impl_;
}

// Puts a request where the worker finds it (the mutex is held); 1 when it was parked.
int CCtrlLink::Impl::Place(const CScopeTempList& request) {
    if (flags.exclusiveMode.load() == 1) {
        WindowHandle owner = flags.exclusiveOwner.load();
        if (owner != 0 && owner != request.window)
            return 0;
        slot = request;  // the owner's newest request replaces its last one
        pending = 1;
        return 0;
    }
    WindowHandle priority = flags.priorityWindow.load();
    if (priority != 0 && flags.serveHeldQueue.load() == 0 && request.window != priority) {
        held.push_back(request);
        return 1;
    }
    if (pending)
        displaced.push_back(slot);
    slot = request;
    pending = 1;
    return 0;
}

int CCtrlLink::Request(WindowHandle window, std::uint8_t command, std::int32_t key,
                       std::int32_t data) {
    if (impl_->flags.online.load() != 1)
        return 0;
    int parked;
    {
        std::lock_guard lock(impl_->mutex);
        parked = impl_->Place({window, key, data, command});
    }
    // Outside the lock: the woken worker takes the request without blocking on the mutex.
    impl_->wake.notify_all();
    return parked;
}

int CCtrlLink::AddWatch(WindowHandle window, std::int32_t key, std::uint8_t kind) {
    int result;
    {
        std::lock_guard lock(impl_->mutex);
        result = impl_->watches.Add(window, key, kind);
    }
    if (result == CWatchList::NoMemory) {
        platform::MessageBox("Loop: No Free Memory!!\n");
        return 0;
    }
    return result;
}

int CCtrlLink::ActivateWatches(WindowHandle window) {
    std::lock_guard lock(impl_->mutex);
    return impl_->watches.SetActive(window, 1);
}

int CCtrlLink::DeactivateWatches(WindowHandle window) {
    std::lock_guard lock(impl_->mutex);
    return impl_->watches.SetActive(window, 0);
}

int CCtrlLink::ActivateWatchKey(std::int32_t key) {
    std::lock_guard lock(impl_->mutex);
    return impl_->watches.ActivateKey(key);
}

int CCtrlLink::FindWatch(WindowHandle window, std::int32_t key) {
    std::lock_guard lock(impl_->mutex);
    return impl_->watches.Contains(window, key) ? 1 : 0;
}

int CCtrlLink::HeldQueueEmpty() {
    std::lock_guard lock(impl_->mutex);
    return impl_->held.empty() ? 1 : 0;
}

int CCtrlLink::Open(const CommSettings& settings) {
    return impl_->protocol.Open(settings);
}
void CCtrlLink::Close() {
    impl_->protocol.Close();
}
void CCtrlLink::SetDriveAddress(int address) {
    impl_->protocol.SetDriveAddress(address);
}
int CCtrlLink::GetVersion(char* buffer256) {
    return impl_->protocol.GetVersion(buffer256);
}

void CCtrlLink::GetSegment(const std::uint8_t*& data, std::uint8_t& count) {
    impl_->protocol.GetSegment(data, count);
}

bool CCtrlLink::SegmentIsLast() {
    return impl_->protocol.SegmentIsLast();
}

std::int64_t CCtrlLink::AnnouncedSize() {
    return impl_->protocol.AnnouncedSize();
}

int CCtrlLink::SetLinkKind(int kind) {
    if (kind == CComm::Can) {
        impl_->flags.canMarked = 1;
        platform::WriteProfileString(impl_->folders.settingsPath, "sys", "can", "1");
    }
    return impl_->protocol.SetLinkKind(kind);
}

CProtocol& CCtrlLink::Protocol() {
    return impl_->protocol;
}
