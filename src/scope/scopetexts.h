#pragma once
// The page's texts that follow the interface language (1 Chinese, otherwise English), and the
// readable sampling period.
#include <QString>
#include <cstdint>

namespace scopetext {

QString StartCaption(int language);
QString CancelCaption(int language);
QString Finish(int language);
// The waiting animation, one to five dots.
QString Waiting(int language, int dots);
// The upload animation; an empty text means "leave the status as it is" (the English set has
// no four-dot text).
QString Reading(int language, int dots);
QString ManualTrigger(int language);
// Ends of a capture that are not "finish".
QString Refused(int language);
QString BufferOverflow(int language);
QString LinkLost(int language);

// A period, pointer offset or sample count field that is no 16-bit number.
QString FieldRange(int language);
// The period (in 62.5 us steps) as readable time: "937.5us", "1.00ms", "1.00s".
QString SamplePeriodText(std::uint16_t period);

}  // namespace scopetext
