#pragma once
// The software side of one exchange, without a drive: a component that answers from memory,
// the control link's round trip through it (worker, message to the UI thread, the handler's
// next request), and the least two thread hand-overs cost on this machine.
#include <QString>
#include <cstdint>

#include "comm/commobject.h"

class CGlobal;

// Answers every serial request at once with a 4-byte value.
class MemoryComponent final : public CCommObject {
public:
    int Open(const CommSettings&) override { return 0; }
    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* buffer, int* count) override;
    int Reserved() override { return 0; }
    void Close() override {}
    void Release() override { delete this; }

private:
    std::uint8_t reply_[10] = {};
};

// Microseconds per exchange when each value's handler on the UI thread requests the next, as a
// page reads its rows. The link must be open (online is set meanwhile).
double ChainedExchangesUs(CGlobal& global, int count);

// The control link with MemoryComponent, in a settings object of its own on `base`.
double LinkInMemoryUs(const QString& base, int count);

// Two hand-overs between threads through a condition variable, there and back: the floor under
// every worker-to-UI round trip.
double HandoverFloorUs(int count);
