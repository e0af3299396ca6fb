#include "maintenance/savesteps.h"

#include "maintenance/drvobjects.h"

namespace drvdata {

namespace {
constexpr int kPauseMs[] = {0, 50, 200, 800};  // before steps 1, 2 and 3
const char* const kSavingText = "Driver save ...";
const char* const kFinishText = "finish";
}  // namespace

int CSaveSteps::Start() {
    saving_ = true;
    status_ = QString::fromLatin1(kSavingText);
    endText_ = QString::fromLatin1(kFinishText);
    return RunStep(1);
}

int CSaveSteps::RunStep(int step) {
    step_ = step;
    awaitedKey_ = 0;
    return kPauseMs[step];
}

std::optional<BatchRequest> CSaveSteps::Proceed() {
    if (!saving_)
        return std::nullopt;
    if (step_ == 1 || step_ == 2) {
        awaitedKey_ = step_ == 1 ? drvobj::kStoreMotor : drvobj::kStoreControl;
        return BatchRequest{sdo::Write1, awaitedKey_, drvobj::kStoreValue};
    }
    saving_ = false;
    status_ = endText_;
    return std::nullopt;
}

int CSaveSteps::OnValue(std::int32_t key) {
    if (!saving_ || awaitedKey_ == 0 || key != awaitedKey_)
        return -1;
    return RunStep(step_ + 1);
}

// A refused store ends the saving and says so instead of "finish".
int CSaveSteps::OnAbort(std::int32_t key, std::uint32_t code) {
    if (!saving_ || awaitedKey_ == 0 || key != awaitedKey_)
        return -1;
    endText_ = QString::asprintf("Driver save refused: 0x%08x", code);
    return RunStep(3);
}

void CSaveSteps::NoReply() {
    if (!saving_)
        return;
    saving_ = false;
    awaitedKey_ = 0;
    status_ = QStringLiteral("Driver save failure: no reply");
}

}  // namespace drvdata
