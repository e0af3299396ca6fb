#include "maintenance/initsaverules.h"

#include "maintenance/drvobjects.h"

namespace drvdata {

namespace {

struct CaptionPair {
    const char* english;
    const char* chinese;
};
constexpr CaptionPair kPlain[] = {{"Save control parameters", "存储控制参数"},
                                  {"Initialize control parameters", "初始化控制参数"},
                                  {"Save motor parameters", "存储电机参数"}};
constexpr CaptionPair kOk[] = {{"Save control parameters OK", "存储控制参数OK"},
                               {"Initialize control parameters OK", "初始化控制参数OK"},
                               {"Save motor parameters OK", "存储电机参数OK"}};
constexpr int kReadingsToComplete = 2;

}  // namespace

QString InitSaveCaption(InitSaveButton button, bool ok, int language) {
    const CaptionPair& pair = (ok ? kOk : kPlain)[static_cast<int>(button)];
    return language == 1 ? QString::fromUtf8(pair.chinese) : QString::fromLatin1(pair.english);
}

// Each action starts its completion rule afresh, so an earlier store's storing bit cannot
// confirm a later action.
BatchRequest CInitSaveRules::Begin(InitSaveAction action) {
    storeSeen_ = initSeen_ = false;
    storeCounter_ = initCounter_ = 0;
    actionsEnabled_ = false;
    pending_ = action;
    switch (action) {
        case InitSaveAction::Initialise:
            ok_[0] = ok_[1] = ok_[2] = false;
            return {sdo::Write1, drvobj::kStoreControl, drvobj::kInitialiseValue};
        case InitSaveAction::StoreControl:
            ok_[static_cast<int>(InitSaveButton::StoreControl)] = false;
            return {sdo::Write1, drvobj::kStoreControl, drvobj::kStoreValue};
        case InitSaveAction::StoreMotor:
            ok_[static_cast<int>(InitSaveButton::StoreMotor)] = false;
            return {sdo::Write1, drvobj::kStoreMotor, drvobj::kStoreValue};
        default:
            return {sdo::Write2, drvobj::kRestart, drvobj::kRestartMagic};
    }
}

BatchRequest CInitSaveRules::DriveSavesRequest() {
    return {sdo::Write1, drvobj::kStoreAll, drvobj::kStoreValue};
}

void CInitSaveRules::OnValue(std::int32_t key, std::uint32_t value) {
    if (key == drvobj::kDriveStatus)
        OnStatus(value);
    else if (key == drvobj::kStoreControl && value == drvobj::kInitialiseValue)
        OnInitialiseReply();
}

void CInitSaveRules::OnStatus(std::uint32_t value) {
    if (value & drvobj::kStoringBit) {
        storeSeen_ = true;
        storeCounter_ = 0;
        return;
    }
    if (++storeCounter_ < kReadingsToComplete)
        return;
    storeCounter_ = 0;
    actionsEnabled_ = true;
    auto& control = ok_[static_cast<int>(InitSaveButton::StoreControl)];
    auto& motor = ok_[static_cast<int>(InitSaveButton::StoreMotor)];
    if (!storeSeen_) {
        control = motor = false;
    } else if (pending_ == InitSaveAction::StoreControl) {
        control = true;
    } else if (pending_ == InitSaveAction::StoreMotor) {
        motor = true;
    }
}

void CInitSaveRules::OnInitialiseReply() {
    if (pending_ != InitSaveAction::Initialise) {
        initSeen_ = true;
        initCounter_ = 0;
        return;
    }
    if (++initCounter_ < kReadingsToComplete)
        return;
    initCounter_ = 0;
    actionsEnabled_ = true;
    ok_[static_cast<int>(InitSaveButton::Initialise)] = initSeen_;
}

}  // namespace drvdata
