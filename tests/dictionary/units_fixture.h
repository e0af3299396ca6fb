#pragma once
// A base folder with a small dictionary of test objects, the CGlobal built on it, and a
// control link whose serial component is an in-memory drive. Replies reach two recording
// windows: the page and the main window.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "app/global.h"
#include "fake_link.h"
#include "support/temp_base.h"

struct TestObject {
    std::int32_t key;
    const char* dataType;
    const char* attribute;
    const char* unitDefinition;
};

// A request that went over the link, with the window its reply reached.
struct SentRequest {
    platform::WindowHandle window;
    std::uint8_t command;
    std::int32_t key;
    std::int32_t data;
    bool operator==(const SentRequest&) const = default;
};
void PrintTo(const SentRequest& r, std::ostream* os);

// Records the link replies a window receives, in the order they arrive.
class ReplyRecorder : public platform::MessageTarget {
public:
    using Handler = std::function<void(std::int32_t key, std::int32_t value)>;
    explicit ReplyRecorder(std::vector<platform::WindowHandle>& order) : order_(order) {}
    void OnValue(Handler handler) { handler_ = std::move(handler); }
    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

private:
    std::vector<platform::WindowHandle>& order_;
    Handler handler_;
};

class UnitsFixture {
public:
    enum Link { Online, Offline };
    explicit UnitsFixture(const std::vector<TestObject>& objects, Link link = Online);
    ~UnitsFixture();
    CGlobal& global() { return *global_; }
    platform::WindowHandle Page() const { return page_.Handle(); }
    platform::WindowHandle Main() const { return main_.Handle(); }
    ReplyRecorder& PageWindow() { return page_; }
    ReplyRecorder& MainWindow() { return main_; }
    FakeDrive& Drive() { return *drive_; }

    // Waits until `expected` more requests went over the link and their replies arrived (the
    // event loop runs meanwhile), lets a little more time pass for unexpected extras, and
    // returns all requests since the last call.
    std::vector<SentRequest> TakeRequests(std::size_t expected);

private:
    TempBase base_;
    std::unique_ptr<CGlobal> global_;
    std::shared_ptr<FakeScript> script_ = std::make_shared<FakeScript>();
    std::shared_ptr<FakeDrive> drive_ = std::make_shared<FakeDrive>();
    std::vector<platform::WindowHandle> replyOrder_;
    ReplyRecorder page_{replyOrder_};
    ReplyRecorder main_{replyOrder_};
    std::size_t taken_ = 0;
};

// One 8,606-byte record of the dictionary file.
QByteArray DictionaryRecord(const TestObject& object);
