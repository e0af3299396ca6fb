#pragma once
// A base folder with a small dictionary of test objects, and the CGlobal built on it.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "app/global.h"
#include "support/temp_base.h"

struct TestObject {
    std::int32_t key;
    const char* dataType;
    const char* attribute;
    const char* unitDefinition;
};

// One 8,606-byte record of the dictionary file.
QByteArray DictionaryRecord(const TestObject& object);

// A request that reached the control link.
struct SentRequest {
    platform::WindowHandle window;
    std::uint8_t command;
    std::int32_t key;
    std::int32_t data;
    bool operator==(const SentRequest&) const = default;
};
void PrintTo(const SentRequest& r, std::ostream* os);

// The requests queued since the last call (oldest first).
std::vector<SentRequest> TakeRequests();

class UnitsFixture {
public:
    explicit UnitsFixture(const std::vector<TestObject>& objects);
    ~UnitsFixture();
    CGlobal& global() { return *global_; }

private:
    TempBase base_;
    std::unique_ptr<CGlobal> global_;
};
