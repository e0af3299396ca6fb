#pragma once
// The oscilloscope page against a scripted drive behind the real control link (serial framing
// through a fake component): every request is seen, and uploads can end in any way.
#include <QByteArray>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "app/global.h"
#include "fake_link.h"
#include "scope/driveroscillo.h"
#include "scope_sim_fixture.h"
#include "support/temp_base.h"

// Objects of the test dictionary.
namespace fakekeys {
constexpr std::int32_t kSpeed = 0x210001;     // INTEGER16, rpm units
constexpr std::int32_t kGain = 0x210002;      // UNSIGNED16
constexpr std::int32_t kLimit = 0x210003;     // INTEGER32
constexpr std::int32_t kState = 0x210004;     // UNSIGNED8 (not a channel item)
constexpr std::int32_t kVelocity = 0x606C00;  // INTEGER32
}  // namespace fakekeys

class ScopeDrive {
public:
    void Set(std::int32_t key, std::uint32_t value);
    std::uint32_t Get(std::int32_t key);
    void Refuse(std::int32_t key);
    // The sample buffer; with `lastBit` the last segment says so even when it is full.
    void SetBuffer(const QByteArray& bytes, bool lastBit = true);
    void RefuseSegment(int n);  // the n-th segment request (1-based) is refused
    FakeReply Answer(const SeenRequest& r);

private:
    FakeReply Segment(const SeenRequest& r);
    std::mutex mutex_;
    std::map<std::int32_t, std::uint32_t> values_;
    std::set<std::int32_t> refused_;
    QByteArray buffer_;
    bool lastBit_ = true;
    int position_ = 0;
    int segments_ = 0;
    int refuseSegment_ = 0;
};

class ScopeFakeFixture {
public:
    ScopeFakeFixture();
    ~ScopeFakeFixture();
    // Opens the page on the link and waits for its read sequence.
    bool Open();

    CGlobal& g() { return *global_; }
    ScopeDrive& drive() { return *drive_; }
    CDriverOscillo& page() { return *page_; }
    TempBase& base() { return base_; }
    MainStandIn& main() { return *main_; }
    std::vector<SeenRequest> Seen(std::uint8_t command = 0) const;
    void ClearSeen() { seenBefore_ = script_->Requests().size(); }
    // Waits until no request has reached the drive for a while (readStep is 14 as soon as the
    // last read is queued, before its reply).
    bool WaitQuiet(int timeoutMs = 5000);
    // Starts a capture and waits until it has ended.
    bool Capture(int timeoutMs = 8000);

private:
    TempBase base_;
    std::unique_ptr<CGlobal> global_;
    std::unique_ptr<MainStandIn> main_;
    std::shared_ptr<ScopeDrive> drive_ = std::make_shared<ScopeDrive>();
    std::shared_ptr<FakeScript> script_ = std::make_shared<FakeScript>();
    std::unique_ptr<CDriverOscillo> page_;
    std::size_t seenBefore_ = 0;
};
