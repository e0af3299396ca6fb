#include "scope_fuzz_entry.h"

#include <QByteArray>
#include <cstdlib>

#include "scope/recording.h"
#include "scope/sampledecode.h"
#include "scope/scopelists.h"

namespace {

// The bytes as a layout: which slots are set, ticked and signed.
RecordLayout LayoutFrom(std::uint8_t a, std::uint8_t b) {
    RecordLayout l;
    for (std::size_t k = 0; k < 4; ++k) {
        l.source16[k] = (a >> k) & 1;
        l.ticked[k] = (b >> k) & 1;
        l.isSigned[k] = (b >> (k + 4)) & 1;
        l.entry[k] = (a >> 6) & 1 ? std::uint32_t(k) : 0;
    }
    l.source32 = {std::uint32_t((a >> 4) & 1), std::uint32_t((a >> 5) & 1)};
    return l;
}

void CheckRoundTrip(const ScopeRecording& first) {
    const ScopeRecording again = recording::Read(recording::Write(first));
    if (again.sampleCount != first.sampleCount)
        std::abort();
    for (std::size_t k = 0; k < 4; ++k) {
        if (again.channels[k].check != first.channels[k].check ||
            again.channels[k].item != first.channels[k].item ||
            again.samples[k] != first.samples[k])
            std::abort();
    }
}

}  // namespace

void FuzzScopeFilesOnce(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    scopelists::ParseList(bytes, QStringLiteral("trigger"));
    scopelists::ParseList(bytes, QStringLiteral("channel"));
    const ScopeRecording read = recording::Read(bytes);
    recording::IsRecording(bytes);
    // Long records take the same paths as short ones and only cost executions.
    if (read.sampleCount <= 64)
        CheckRoundTrip(read);
    if (size >= 2)
        DecodeSamples(data + 2, int(size - 2), LayoutFrom(data[0], data[1]));
}
