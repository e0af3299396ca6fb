#pragma once
// The rules of the initialise/save dialog: which write each action sends, when its buttons
// come back (from the drive's storing bit and from the initialise replies), and the captions.
#include <QString>

#include "maintenance/batchpass.h"

namespace drvdata {

enum class InitSaveAction {
    None = 0,
    StoreControl = 1,
    StoreMotor = 2,
    Initialise = 3,
    Restart = 4
};
// The buttons whose caption changes.
enum class InitSaveButton { StoreControl = 0, Initialise = 1, StoreMotor = 2 };

// A button's caption in the interface language (1 Chinese, otherwise English).
QString InitSaveCaption(InitSaveButton button, bool ok, int language);

class CInitSaveRules {
public:
    // The write that starts an action (not None); the action buttons are disabled until the
    // completion rule fires.
    BatchRequest Begin(InitSaveAction action);
    // "Drive saves parameters": a write that changes nothing else.
    static BatchRequest DriveSavesRequest();
    // A reply or status reading from the link.
    void OnValue(std::int32_t key, std::uint32_t value);

    bool ActionsEnabled() const { return actionsEnabled_; }
    bool CaptionOk(InitSaveButton button) const { return ok_[static_cast<int>(button)]; }
    InitSaveAction Pending() const { return pending_; }

private:
    void OnStatus(std::uint32_t value);
    void OnInitialiseReply();

    InitSaveAction pending_ = InitSaveAction::None;
    bool actionsEnabled_ = true;
    bool ok_[3] = {false, false, false};
    bool storeSeen_ = false;
    int storeCounter_ = 0;
    bool initSeen_ = false;
    int initCounter_ = 0;
};

}  // namespace drvdata
