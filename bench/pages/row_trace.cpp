#include "row_trace.h"

#include <QEvent>
#include <QMetaObject>
#include <algorithm>
#include <cstring>
#include <numeric>

#include "app/global.h"
#include "bench_drives.h"
#include "comm/comm.h"
#include "comm/protocol.h"
#include "platform/dynlib.h"

namespace {

double Us(RowTrace::Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// The real serial component, each request and reply marked.
class TracedSerial final : public CCommObject {
public:
    explicit TracedSerial(CCommObject* inner) : inner_(inner) {}
    int Open(const CommSettings& s) override { return inner_->Open(s); }
    int Write(const std::uint8_t* bytes, int count) override {
        RowTrace::Instance().Mark(RowTrace::RequestOut);
        return inner_->Write(bytes, count);
    }
    int Read(std::uint8_t* buffer10, int* count) override {
        const int result = inner_->Read(buffer10, count);
        RowTrace::Instance().Mark(RowTrace::ReplyIn);
        return result;
    }
    int Reserved() override { return 0; }
    void Close() override { inner_->Close(); }
    void Release() override {
        inner_->Release();
        delete this;
    }

private:
    CCommObject* inner_;
};

// The real CAN component, each request and reply marked.
class TracedCan final : public CCanObject {
public:
    explicit TracedCan(CCanObject* inner) : inner_(inner) {}
    int Open(const CommSettings& s) override { return inner_->Open(s); }
    int Write(const CanMessage& m) override {
        RowTrace::Instance().Mark(RowTrace::RequestOut);
        return inner_->Write(m);
    }
    int Read(CanMessage& m) override {
        const int result = inner_->Read(m);
        RowTrace::Instance().Mark(RowTrace::ReplyIn);
        return result;
    }
    int GetVersion(char* buffer256) override { return inner_->GetVersion(buffer256); }
    int Reserved() override { return 0; }
    void Close() override { inner_->Close(); }
    void Release() override {
        inner_->Release();
        delete this;
    }

private:
    CCanObject* inner_;
};

template <typename Object, typename Fn>
Object* Create(const QString& path, const char* factory) {
    platform::LibraryHandle library = platform::LoadLibrary(path);
    auto create =
        library ? reinterpret_cast<Fn>(platform::GetProcAddress(library, factory)) : nullptr;
    Object* object = nullptr;
    if (create)
        create(&object);
    return object;
}

}  // namespace

RowTrace& RowTrace::Instance() {
    static RowTrace trace;
    return trace;
}

void RowTrace::Start() {
    std::lock_guard lock(mutex_);
    for (auto& m : marks_) m.clear();
    recording_ = true;
}

void RowTrace::Stop() {
    recording_ = false;
}

void RowTrace::Mark(Stage stage) {
    const Clock::time_point now = Clock::now();
    if (!recording_.load())
        return;
    std::lock_guard lock(mutex_);
    marks_[stage].push_back(now);
}

std::vector<RowTrace::Clock::time_point> RowTrace::Marks(Stage stage) {
    std::lock_guard lock(mutex_);
    return marks_[stage];
}

RowSplit SplitRows(RowTrace& trace, const std::vector<RowTrace::Clock::time_point>& shown,
                   int rows) {
    const auto out = trace.Marks(RowTrace::RequestOut), in = trace.Marks(RowTrace::ReplyIn);
    const auto start = trace.Marks(RowTrace::HandlerStart);
    RowSplit split;
    const size_t n = size_t(rows);
    // One exchange and one message per row, nothing else: otherwise the marks do not pair.
    if (n < 2 || out.size() != n || in.size() != n || start.size() != n || shown.size() < n)
        return split;
    std::array<std::vector<double>, RowSplit::Count> segments;
    for (size_t i = 0; i + 1 < n; ++i) {
        const RowTrace::Clock::time_point at[] = {out[i], in[i], start[i], shown[i], out[i + 1]};
        for (int s = 0; s < RowSplit::Count; ++s) segments[s].push_back(Us(at[s + 1] - at[s]));
    }
    for (int s = 0; s < RowSplit::Count; ++s) {
        std::vector<double>& v = segments[s];
        split.mean[s] = std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        split.median[s] = v[v.size() / 2];
    }
    split.valid = true;
    return split;
}

bool OpenTracedLink(CGlobal& g, const Transport& t, const QString& dataFolder) {
    g.link.SetLinkKind(t.kind);
    g.link.SetDriveAddress(1);
    CComm& comm = g.link.Protocol().Comm();
    if (t.kind == CComm::Can) {
        CCanObject* inner =
            Create<CCanObject, CreateCanObjectFn>(dataFolder + "CAN.so", "CreateCanObject");
        if (!inner)
            return false;
        comm.Attach(new TracedCan(inner));
    } else {
        CCommObject* inner =
            Create<CCommObject, CreateObjectFn>(dataFolder + "COM.so", "CreateObject");
        if (!inner)
            return false;
        comm.Attach(new TracedSerial(inner));
    }
    if (g.link.Open(SettingsFor(t)) != 0)
        return false;
    g.online = 1;
    return true;
}

bool TracingApplication::notify(QObject* receiver, QEvent* event) {
    RowTrace& trace = RowTrace::Instance();
    // The message layer's pump runs every message the worker hands over.
    const bool traced = trace.Recording() && event->type() == QEvent::MetaCall &&
                        std::strstr(receiver->metaObject()->className(), "MessagePump") != nullptr;
    if (traced)
        trace.Mark(RowTrace::HandlerStart);
    return QApplication::notify(receiver, event);
}
