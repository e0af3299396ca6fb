<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CRealtimeError</name>
    <message>
        <source>驱动器内部错误</source>
        <translation>Drive internal error</translation>
    </message>
    <message>
        <source>编码器ABN信号错误</source>
        <translation>Encoder ABN signal error</translation>
    </message>
    <message>
        <source>编码器UVW信号错误</source>
        <translation>Encoder UVW signal error</translation>
    </message>
    <message>
        <source>编码器计数错误</source>
        <translation>Encoder count error</translation>
    </message>
    <message>
        <source>驱动器温度过高</source>
        <translation>Drive overtemperature</translation>
    </message>
    <message>
        <source>驱动器总线电压过高400v</source>
        <translation>DC bus above 400 V</translation>
    </message>
    <message>
        <source>驱动器总线电压过低120v</source>
        <translation>DC bus below 120 V</translation>
    </message>
    <message>
        <source>驱动器输出短路</source>
        <translation>Drive output short circuit</translation>
    </message>
    <message>
        <source>驱动器制动电阻异常</source>
        <translation>Braking resistor fault</translation>
    </message>
    <message>
        <source>实际跟踪误差超过允许值</source>
        <translation>Following error too large</translation>
    </message>
    <message>
        <source>逻辑电压过低18v</source>
        <translation>Logic supply below 18 V</translation>
    </message>
    <message>
        <source>I2*T故障</source>
        <translation>I2*T fault</translation>
    </message>
    <message>
        <source>输入脉冲频率过高</source>
        <translation>Pulse frequency too high</translation>
    </message>
    <message>
        <source>电机温度过高</source>
        <translation>Motor overtemperature</translation>
    </message>
    <message>
        <source>寻找电机错误</source>
        <translation>Motor search error</translation>
    </message>
    <message>
        <source>EEPROM内部错误</source>
        <translation>EEPROM internal error</translation>
    </message>
    <message>
        <source>电流传感器故障</source>
        <translation>Current sensor fault</translation>
    </message>
    <message>
        <source>看门狗报错</source>
        <translation>Watchdog error</translation>
    </message>
    <message>
        <source>异常中断</source>
        <translation>Unexpected interrupt</translation>
    </message>
    <message>
        <source>MCU故障</source>
        <translation>MCU fault</translation>
    </message>
    <message>
        <source>电机配置错误</source>
        <translation>Motor configuration error</translation>
    </message>
    <message>
        <source>逻辑输出故障</source>
        <translation>Logic output fault</translation>
    </message>
    <message>
        <source>STO1</source>
        <translation>STO1</translation>
    </message>
    <message>
        <source>STO2</source>
        <translation>STO2</translation>
    </message>
    <message>
        <source>预使能报警</source>
        <translation>Pre-enable alarm</translation>
    </message>
    <message>
        <source>正限位报错</source>
        <translation>Positive limit error</translation>
    </message>
    <message>
        <source>负限位报错</source>
        <translation>Negative limit error</translation>
    </message>
    <message>
        <source>SPI故障</source>
        <translation>SPI fault</translation>
    </message>
    <message>
        <source>CAN总线故障</source>
        <translation>CAN bus fault</translation>
    </message>
    <message>
        <source>全闭环故障</source>
        <translation>Full closed loop fault</translation>
    </message>
    <message>
        <source>主编码器ABZ故障</source>
        <translation>Main encoder ABZ fault</translation>
    </message>
    <message>
        <source>主编码器计数错误</source>
        <translation>Main encoder count error</translation>
    </message>
    <message>
        <source>错误状态字1</source>
        <translation>Error status word 1</translation>
    </message>
    <message>
        <source>错误状态字2</source>
        <translation>Error status word 2</translation>
    </message>
    <message>
        <source>检测</source>
        <translation>Detect</translation>
    </message>
</context>
<context>
    <name>CDataInOut</name>
    <message>
        <source>输入</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>功能</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>仿真</source>
        <translation>Simulate</translation>
    </message>
    <message>
        <source>极性</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>实际输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>虚拟状态</source>
        <translation>Virtual</translation>
    </message>
    <message>
        <source>实际输出</source>
        <translation>Output</translation>
    </message>
</context>
<context>
    <name>CDataInOutList</name>
    <message>
        <source>功能选择</source>
        <translation>Functions</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
