#include "pages/pagetable.h"

const std::vector<ParamPageConfig>& ParamPageTable() {
    static const std::vector<ParamPageConfig> table = {
        {"CBaseOperate", "BasicOperate", 1227, 126, 1134, 2, "基本操作"},
        {"CPositCircle", "PositionLoop", 1215, 132, 1067, 3, "位置环"},
        {"CSpeedCircle", "VelocityLoop", 1217, 133, 1068, 4, "速度环"},
        {"CCurrentCircle", "CurrentLoop", 1248, 121, 1138, 5, "电流环"},
        {"CAnalogInput", "AnalogInput", 1219, 146, 1135, 7, "模拟输入"},
        {"CFuncConfig", "DinFunctionConfig", 1245, 156, 1138, 8, "输入功能配置", true},
        {"CSpeedMode", "AnalogVelocityMode", 1220, 134, 1069, 9, "模拟速度模式"},
        {"CSpeedPhaseMode", "multiVelocityMode", 1221, 135, 1070, 10, "速度段模式"},
        {"CTorqueMode", "AnalogTorqueMode", 1222, 136, 1071, 11, "模拟力矩模式"},
        {"CPulseMode", "PulseMode", 1223, 138, 1072, 12, "脉冲/方向模式"},
        {"CAutoSeverseMode", "AutoReverse", 1224, 140, 1073, 13, "自动翻转"},
        {"CPositionMode", "MultiPositionMode", 1225, 141, 1074, 14, "位置段模式"},
        {"CHomingMode", "HomingMode", 1253, 137, 1254, 15, "原点模式"},
        {"CAutoJudgeMode", "AutoTuning", 1226, 142, 1075, 16, "自整定"},
        {"CDrvCfg", "DriverConfig", 1233, 131, 1066, 17, "驱动器配置"},
        {"CDriverProterty", "DriverProperty", 1234, 143, 1076, 45, "驱动器属性", true, true},
        {"CMotorParam", "MotorConfig", 1229, 129, 1063, 46, "电机配置", false, false, true},
    };
    return table;
}

const ParamPageConfig* FindParamPage(int command) {
    for (const ParamPageConfig& row : ParamPageTable())
        if (row.command == command)
            return &row;
    return nullptr;
}
