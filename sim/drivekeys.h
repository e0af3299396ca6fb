#pragma once
// Object keys (index * 256 + sub-index) the drive model reads or drives.
#include <cstdint>

namespace vsim::keys {

constexpr uint32_t kControlword = 0x604000;
constexpr uint32_t kStatusword = 0x604100;
constexpr uint32_t kModes = 0x606000;
constexpr uint32_t kModesDisplay = 0x606100;
constexpr uint32_t kPositionDemand = 0x606200;
constexpr uint32_t kPositionInternal = 0x606300;
constexpr uint32_t kPositionActual = 0x606400;
constexpr uint32_t kVelocityDemand = 0x606B00;
constexpr uint32_t kVelocityActual = 0x606C00;
constexpr uint32_t kTargetTorque = 0x607100;
constexpr uint32_t kTorqueDemand = 0x607400;
constexpr uint32_t kTorqueActual = 0x607700;
constexpr uint32_t kCurrentActual = 0x607800;
constexpr uint32_t kBusVoltage = 0x607900;
constexpr uint32_t kTargetPosition = 0x607A00;
constexpr uint32_t kProfileVelocity = 0x608100;
constexpr uint32_t kProfileAcceleration = 0x608300;
constexpr uint32_t kFollowingError = 0x60F400;
constexpr uint32_t kTargetVelocity = 0x60FF00;
constexpr uint32_t kDriveTemperature = 0x301001;  // power stage temperature, 0.1 °C
constexpr uint32_t kScanAmplitude = 0x60F910;

constexpr uint32_t kIoInputPolarity = 0x201001;
constexpr uint32_t kIoInputSimulation = 0x201002;
constexpr uint32_t kIoInputLevels = 0x20100A;
constexpr uint32_t kIoInputVirtual = 0x20100B;
constexpr uint32_t kIoOutputPolarity = 0x20100D;
constexpr uint32_t kIoOutputSimulation = 0x20100E;
constexpr uint32_t kIoOutputLevels = 0x201014;

constexpr uint32_t kSwitchWord1 = 0x260000;
constexpr uint32_t kErrorWord1 = 0x260100;
constexpr uint32_t kErrorWord2 = 0x260200;
constexpr uint32_t kSwitchWord2 = 0x260504;
constexpr uint16_t kHistoryFirstIndex = 0x2610;  // 0x2610..0x2617, :01 code, :07 time

constexpr uint32_t kStoreControl = 0x2FF001;  // 1 store, 10 initialise
constexpr uint32_t kStoreAll = 0x2FF002;
constexpr uint32_t kStoreMotor = 0x2FF003;
constexpr uint32_t kMonitorSelector = 0x2FF004;
constexpr uint32_t kRestart = 0x2FFF00;
constexpr uint32_t kDriveStatus = 0x301006;  // bit 4 while storing

constexpr uint32_t kScanControl = 0x304001;
constexpr uint32_t kScanFrom = 0x304002;
constexpr uint32_t kScanEnd = 0x304003;
constexpr uint32_t kScanStep = 0x304004;
constexpr uint32_t kScanWindow = 0x304005;
constexpr uint32_t kScanExponent = 0x30400A;

constexpr uint16_t kScopeIndex = 0x2300;

}  // namespace vsim::keys
