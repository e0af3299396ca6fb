#pragma once
// The timing of a real serial line at a baud rate, 10 bits a byte (start, 8 data, stop): when a
// request has fully come in and when a reply has fully reached the client. A pseudo-terminal
// carries bytes at once; the port holds replies back until these times.
#include <cstdint>

namespace vsim {

class CLinePacer {
public:
    explicit CLinePacer(int baud = 0) : baud_(baud > 0 ? baud : 0) {}

    bool Paced() const { return baud_ > 0; }
    int Baud() const { return baud_; }
    // Time the line needs for `bytes` bytes, in nanoseconds (0 when not paced).
    int64_t WireNs(int bytes) const;

    // A request of `bytes` bytes whose first byte came in at firstNs: when its last byte has
    // arrived. Requests follow each other on the line.
    int64_t RequestDone(int64_t firstNs, int bytes);
    // A reply of `bytes` bytes handed to the line at readyNs for a request complete at
    // requestDoneNs: when its last byte has reached the client. The drive answers only a
    // complete request, and replies follow each other on the line.
    int64_t ReplyDue(int64_t readyNs, int64_t requestDoneNs, int bytes);

private:
    int baud_;
    int64_t inFreeNs_ = 0;   // the request direction is free from then on
    int64_t outFreeNs_ = 0;  // the reply direction is free from then on
};

}  // namespace vsim
