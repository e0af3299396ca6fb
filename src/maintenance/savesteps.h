#pragma once
// The import page's "save parameters": store the motor parameters, then the control
// parameters, each after a short pause, one reply before the next step.
#include <QString>

#include "maintenance/batchpass.h"

namespace drvdata {

class CSaveSteps {
public:
    // Begins saving; returns the pause before Proceed().
    int Start();
    // After the pause: the step's write, or none when saving has ended.
    std::optional<BatchRequest> Proceed();
    // A reply while saving; returns the pause before Proceed(), or -1 when the reply is not
    // the one awaited.
    int OnValue(std::int32_t key);
    int OnAbort(std::int32_t key, std::uint32_t code);
    // No reply came (the link went down): saving ends at once.
    void NoReply();

    bool Saving() const { return saving_; }
    QString StatusText() const { return status_; }

private:
    int RunStep(int step);

    bool saving_ = false;
    int step_ = 0;
    std::int32_t awaitedKey_ = 0;
    QString status_;
    QString endText_;
};

}  // namespace drvdata
