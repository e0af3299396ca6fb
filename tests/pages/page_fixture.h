#pragma once
// A base folder with a small dictionary and page list files, a CGlobal on it, and a scripted
// drive behind the control link (the serial framing through a fake component).
#include <QByteArray>
#include <QMap>
#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "app/global.h"
#include "fake_link.h"
#include "support/temp_base.h"

// Objects of the test dictionary.
namespace keys {
constexpr std::int32_t kSpeed = 0x210001;     // INTEGER16, W, rpm pair
constexpr std::int32_t kGain = 0x210002;      // UNSIGNED16, W, no units
constexpr std::int32_t kLimit = 0x210003;     // INTEGER32, W
constexpr std::int32_t kVersion = 0x100A00;   // VISIBLE STRING, read-only
constexpr std::int32_t kName = 0x100800;      // VISIBLE STRING, read-only
constexpr std::int32_t kReadOnly = 0x210004;  // UNSIGNED8, read-only
constexpr std::int32_t kVelocity = 0x606C00;  // INTEGER32, read-only live value
}  // namespace keys

// The drive: expedited reads and writes of stored values, refused reads, strings uploaded in
// 7-byte segments (a string of a multiple of 7 ends with an empty segment), writes clamped.
class PageDrive {
public:
    void Set(std::int32_t key, std::int32_t value);
    std::int32_t Get(std::int32_t key);
    void Refuse(std::int32_t key);
    void SetString(std::int32_t key, const QByteArray& text);
    void SetLimit(std::int32_t key, std::int32_t limit);
    FakeReply Answer(const SeenRequest& request);

private:
    FakeReply Segment(std::uint8_t command);
    std::mutex mutex_;
    std::map<std::int32_t, std::int32_t> values_;
    std::map<std::int32_t, std::int32_t> limits_;
    std::set<std::int32_t> refused_;
    std::map<std::int32_t, QByteArray> strings_;
    QByteArray upload_;
    int uploadPos_ = 0;
};

class PageFixture {
public:
    // `moreObjects`: records appended to the test dictionary.
    explicit PageFixture(const QByteArray& moreObjects = QByteArray());
    ~PageFixture();
    // A page list file sys/<name>.ini with the keys in order.
    void WriteList(const QString& pageName, const std::vector<std::int32_t>& keys);
    void Connect();  // opens the link to the drive
    void Disconnect();

    CGlobal& g() { return *global_; }
    TempBase& base() { return base_; }
    PageDrive& drive() { return *drive_; }
    FakeScript& script() { return *script_; }
    // Requests the drive has seen with this command (0 = all).
    std::vector<SeenRequest> Seen(std::uint8_t command = 0) const;

private:
    TempBase base_;
    std::unique_ptr<CGlobal> global_;
    std::shared_ptr<PageDrive> drive_ = std::make_shared<PageDrive>();
    std::shared_ptr<FakeScript> script_ = std::make_shared<FakeScript>();
};
