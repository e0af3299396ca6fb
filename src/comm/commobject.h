#pragma once
// The interface between the program and its two link components (data/COM.so, data/CAN.so).
// Both sides include this header; the objects cross the module boundary only as these
// abstract classes, and the factories are looked up by name with C linkage.
#include <cstdint>

#include "comm/commsettings.h"

// PEAK's message layout: 16 bytes.
struct CanMessage {
    std::uint32_t id = 0;
    std::uint8_t msgType = 0;  // 0 = standard frame
    std::uint8_t length = 0;
    std::uint8_t data[8] = {};
    std::uint8_t filler[2] = {};
};
static_assert(sizeof(CanMessage) == 16);

// Serial link component. Write and Read come from the control link worker; Open, Close and
// Release from the UI thread. Close may arrive while the worker is inside Write or Read.
class CCommObject {
public:
    // 0 = open, otherwise an error code (an errno value) the caller shows.
    virtual int Open(const CommSettings& settings) = 0;
    // 0 when all bytes were sent.
    virtual int Write(const std::uint8_t* bytes, int count) = 0;
    // Reads up to 10 bytes into the zeroed buffer within the reply wait; *count says how many
    // arrived. 0 unless the line failed.
    virtual int Read(std::uint8_t* buffer10, int* count) = 0;
    virtual int Reserved() = 0;  // never called
    virtual void Close() = 0;
    virtual void Release() = 0;  // destroys the object

protected:
    virtual ~CCommObject() = default;
};

// CAN link component; the same threading as CCommObject.
class CCanObject {
public:
    virtual int Open(const CommSettings& settings) = 0;  // 0 = open
    virtual int Write(const CanMessage& message) = 0;    // 0 when sent
    // 0 when a reply of the drive arrived within the wait (it lands in the zeroed message);
    // nonzero when none came or the adapter failed.
    virtual int Read(CanMessage& message) = 0;
    // Nonzero when the adapter answers; fills the zeroed 256-byte buffer with ASCII text
    // holding a ':'.
    virtual int GetVersion(char* buffer256) = 0;
    virtual int Reserved() = 0;  // never called
    virtual void Close() = 0;
    virtual void Release() = 0;

protected:
    virtual ~CCanObject() = default;
};

// Factories: store a new object in *object (null on failure).
extern "C" {
using CreateObjectFn = void (*)(CCommObject** object);
using CreateCanObjectFn = void (*)(CCanObject** object);
}
