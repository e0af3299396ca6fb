#include "pages/pagetable.h"

const std::vector<ParamPageConfig>& ParamPageTable() {
    static const std::vector<ParamPageConfig> table = {
        {"CBaseOperate", "BasicOperate", 1227, 126, 1134, 2},
        {"CPositCircle", "PositionLoop", 1215, 132, 1067, 3},
        {"CSpeedCircle", "VelocityLoop", 1217, 133, 1068, 4},
        {"CCurrentCircle", "CurrentLoop", 1248, 121, 1138, 5},
        {"CAnalogInput", "AnalogInput", 1219, 146, 1135, 7},
        {"CFuncConfig", "DinFunctionConfig", 1245, 156, 1138, 8, true},
        {"CSpeedMode", "AnalogVelocityMode", 1220, 134, 1069, 9},
        {"CSpeedPhaseMode", "multiVelocityMode", 1221, 135, 1070, 10},
        {"CTorqueMode", "AnalogTorqueMode", 1222, 136, 1071, 11},
        {"CPulseMode", "PulseMode", 1223, 138, 1072, 12},
        {"CAutoSeverseMode", "AutoReverse", 1224, 140, 1073, 13},
        {"CPositionMode", "MultiPositionMode", 1225, 141, 1074, 14},
        {"CHomingMode", "HomingMode", 1253, 137, 1254, 15},
        {"CAutoJudgeMode", "AutoTuning", 1226, 142, 1075, 16},
        {"CDrvCfg", "DriverConfig", 1233, 131, 1066, 17},
        {"CDriverProterty", "DriverProperty", 1234, 143, 1076, 45, true, true},
        {"CMotorParam", "MotorConfig", 1229, 129, 1063, 46, false, false, true},
    };
    return table;
}

const ParamPageConfig* FindParamPage(int command) {
    for (const ParamPageConfig& row : ParamPageTable())
        if (row.command == command)
            return &row;
    return nullptr;
}
