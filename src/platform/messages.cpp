#include "platform/messages.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

// Runs queued calls on the application's thread. Invoked by name, so the event Qt carries is
// built inside Qt only and the hand-over of each call goes through the registry's std::mutex,
// where the thread sanitizer sees it.
class MessagePump : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void RunPending();
};

struct Registry {
    std::mutex mutex;
    std::unordered_map<WindowHandle, MessageTarget*> targets;
    WindowHandle nextHandle = 0x1000;  // never reused: a stale handle never names a new target
    QCoreApplication* app = nullptr;   // where cross-thread messages are delivered
    MessagePump* pump = nullptr;       // lives on the application's thread
    // Calls waiting for the application's thread. They travel through this std::mutex-guarded
    // queue rather than inside Qt's event, so the hand-over is visible to the thread sanitizer.
    std::deque<std::function<void()>> pending;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry;  // outlives every static target
    return *registry;
}

void ForgetApplication() {
    Registry& r = TheRegistry();
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(r.mutex);
    r.app = nullptr;
    delete r.pump;
    r.pump = nullptr;
    dropped.swap(r.pending);
}

// Remembers the application object so other threads can post to its thread.
void NoteApplication(Registry& r) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && r.app != app && QThread::currentThread() == app->thread()) {
        r.app = app;
        delete r.pump;
        r.pump = new MessagePump;
        qAddPostRoutine(ForgetApplication);
    }
}

MessageTarget* Lookup(WindowHandle h) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.targets.find(h);
    return it == r.targets.end() ? nullptr : it->second;
}

bool OnTargetThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

LResult Deliver(WindowHandle h, unsigned msg, WParam w, LParam l) {
    MessageTarget* target = Lookup(h);
    return target ? target->OnMessage(msg, w, l) : 0;
}

// Runs the oldest waiting call; one is queued per posted call, so order and count hold.
void MessagePump::RunPending() {
    Registry& r = TheRegistry();
    std::function<void()> fn;
    {
        std::lock_guard lock(r.mutex);
        if (r.pending.empty())
            return;
        fn = std::move(r.pending.front());
        r.pending.pop_front();
    }
    fn();
}

template <typename F>
bool PostToApplication(F&& fn) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    if (!r.app)
        return false;
    r.pending.emplace_back(std::forward<F>(fn));
    QMetaObject::invokeMethod(r.pump, "RunPending", Qt::QueuedConnection);
    return true;
}

bool ApplicationAlive() {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    return r.app != nullptr;
}

struct SendState {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    LResult result = 0;
};

}  // namespace

MessageTarget::MessageTarget() {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    NoteApplication(r);
    handle_ = r.nextHandle++;
    r.targets.emplace(handle_, this);
}

MessageTarget::~MessageTarget() {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.targets.erase(handle_);
}

bool IsWindow(WindowHandle h) {
    return h != 0 && Lookup(h) != nullptr;
}

LResult SendMessage(WindowHandle h, unsigned msg, WParam wParam, LParam lParam,
                    const std::atomic<int>* cancel) {
    if (!IsWindow(h))
        return 0;
    if (OnTargetThread())
        return Deliver(h, msg, wParam, lParam);

    auto state = std::make_shared<SendState>();
    bool posted = PostToApplication([state, h, msg, wParam, lParam] {
        LResult result = Deliver(h, msg, wParam, lParam);
        {
            std::lock_guard lock(state->mutex);
            state->result = result;
            state->finished = true;
        }
        // After the unlock: the woken sender must not find the mutex still held.
        state->done.notify_all();
    });
    if (!posted)
        return 0;

    std::unique_lock lock(state->mutex);
    while (!state->finished) {
        state->done.wait_for(lock, std::chrono::milliseconds(10));
        if (state->finished)
            break;
        // Give up when the sender is told to stop or the target went away unserved.
        if ((cancel && cancel->load() != 0) || !IsWindow(h))
            return 0;
        if (!ApplicationAlive())
            return 0;
    }
    return state->result;
}

bool PostMessage(WindowHandle h, unsigned msg, WParam wParam, LParam lParam) {
    if (!IsWindow(h))
        return false;
    return PostToApplication([h, msg, wParam, lParam] { Deliver(h, msg, wParam, lParam); });
}

}  // namespace platform

#include "messages.moc"
