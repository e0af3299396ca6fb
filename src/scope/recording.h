#pragma once
// The text recording of a capture (".txt"): the page's settings and every sample as keys of
// section "oscilloscope", UTF-16LE without byte-order mark, each line ending in a line feed.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "scope/sampledecode.h"

struct RecordingChannel {
    bool check = false;
    std::int64_t item = 0;  // mapping entry of the channel's source
    double scale = 0;
    double offset = 0;
    double unitCoefficient = 0;
    int unit = 0;  // position in the channel's unit drop-down
    bool autoScale = false;
};

struct ScopeRecording {
    int samplePeriod = 0;
    int pointerOffset = 0;
    int sampleCount = 0;
    int triggerItem = 0;  // position in the trigger drop-down, 0 = manual trigger
    std::int64_t triggerKey = 0;
    QString triggerLevel;  // as shown in its field
    int triggerUnit = -1;
    bool continuous = false;
    std::array<RecordingChannel, 4> channels;
    ChannelSamples samples;  // raw values; all points, also those outside the zoom
};

namespace recording {

QByteArray Write(const ScopeRecording& r);
// Reads what Write produces (and files of the same layout): missing keys read as 0, a value is
// cut to 63 characters, numbers are their leading digits. Samples are read for the ticked
// channels up to "number" (at most 65,535), as 64-bit integers.
ScopeRecording Read(const QByteArray& bytes);
// True when the bytes hold an "oscilloscope" section at all.
bool IsRecording(const QByteArray& bytes);

}  // namespace recording
