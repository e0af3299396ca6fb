#pragma once
// Fuzz inputs read as the drive's replies on the serial line and on the CAN bus, shared by
// fuzz_serial_reply, fuzz_can_reply and the corpus replay of the suite.
#include <cstddef>
#include <cstdint>

// Byte 0 picks the request, then each Read of the serial component takes a length byte and as
// many of the following bytes (at most ten); the input's end is silence.
int FuzzSerialReply(const std::uint8_t* data, std::size_t size);
// Byte 0 picks the request, then frames: flags, identifier (2 or 4 bytes), a length byte and
// the payload. What the component takes from them is read by the protocol.
int FuzzCanReply(const std::uint8_t* data, std::size_t size);
