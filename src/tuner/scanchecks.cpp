#include "tuner/scanchecks.h"

#include <cstdint>

#include "dictionary/numberscan.h"
#include "tuner/tunertexts.h"

namespace {
constexpr int kMinFrom = 4, kMinStep = 3, kMaxEnd = 1000;
constexpr int kMinAmplitude = 32, kMaxAmplitude = 800;
}  // namespace

int TypedInt(const QString& text) {
    return numberscan::CDecimal(text);
}

float TypedFloat(const QString& text) {
    double value = 0;
    return numberscan::LeadingDecimal(text, value) ? static_cast<float>(value) : 0.0f;
}

CScanCheck CheckScanSettings(const QString& fromText, const QString& endText,
                             const QString& stepText, const QString& amplitudeText, int language) {
    using namespace tunertext;
    CScanCheck check;
    auto refuse = [&](Id id) {
        check.message = Text(id, language);
        return check;
    };
    CScanSettings& s = check.settings;
    s.from = TypedInt(fromText);
    if (s.from < kMinFrom)
        return refuse(FromTooSmall);
    s.step = TypedInt(stepText);
    if (s.step < kMinStep)
        return refuse(StepTooSmall);
    s.end = TypedInt(endText);
    if (s.end > kMaxEnd)
        return refuse(EndTooLarge);
    if (static_cast<std::int64_t>(s.end) < std::int64_t(s.from) + 4 * std::int64_t(s.step))
        return refuse(EndTooSmall);
    s.amplitude = TypedInt(amplitudeText);
    if (s.amplitude < kMinAmplitude || s.amplitude > kMaxAmplitude) {
        check.resetAmplitude = true;
        return refuse(AmplitudeRange);
    }
    check.accepted = true;
    return check;
}
