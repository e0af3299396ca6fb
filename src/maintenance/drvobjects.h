#pragma once
// Drive objects that store, initialise and restart the drive.
#include <cstdint>

#include "dictionary/sdocommand.h"

namespace drvobj {

constexpr std::int32_t kStoreControl = 0x2FF001;  // 1 stores the control parameters, 10 resets them
constexpr std::int32_t kStoreAll = 0x2FF002;      // 1: the drive saves its parameters
constexpr std::int32_t kStoreMotor = 0x2FF003;    // 1 stores the motor parameters
constexpr std::int32_t kRestart = 0x2FFF00;
constexpr std::int32_t kDriveStatus = 0x301006;  // bit 4 set while the drive is storing

constexpr std::int32_t kStoreValue = 1;
constexpr std::int32_t kInitialiseValue = 10;
constexpr std::int32_t kRestartMagic = 0xAA55;
constexpr std::uint32_t kStoringBit = 0x10;

}  // namespace drvobj
