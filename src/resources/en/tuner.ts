<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CTIDDlg</name>
    <message>
        <source>负载与电机</source>
        <translation>Load &amp; Motor</translation>
    </message>
    <message>
        <source>速度开环仿真</source>
        <translation>Vel. Open Loop Sim.</translation>
    </message>
    <message>
        <source>速度闭环仿真</source>
        <translation>Vel. Closed Loop Sim.</translation>
    </message>
    <message>
        <source>电流闭环</source>
        <translation>Current Closed Loop</translation>
    </message>
    <message>
        <source>位置开环仿真</source>
        <translation>Pos. Open Loop Sim.</translation>
    </message>
    <message>
        <source>位置闭环仿真</source>
        <translation>Pos. Closed Loop Sim.</translation>
    </message>
    <message>
        <source>滤波器1</source>
        <translation>Filter 1</translation>
    </message>
    <message>
        <source>滤波器2</source>
        <translation>Filter 2</translation>
    </message>
    <message>
        <source>滤波器3</source>
        <translation>Filter 3</translation>
    </message>
    <message>
        <source>滤波器4</source>
        <translation>Filter 4</translation>
    </message>
    <message>
        <source>滤波器5</source>
        <translation>Filter 5</translation>
    </message>
    <message>
        <source>滤波器6</source>
        <translation>Filter 6</translation>
    </message>
    <message>
        <source>增益尺</source>
        <translation>Gain Ruler</translation>
    </message>
    <message>
        <source>增益</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>相位</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>负载参数</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>执行仿真</source>
        <translation>Simulate</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
</context>
<context>
    <name>CTIDSetting</name>
    <message>
        <source>激励类型</source>
        <translation>Excitation Type</translation>
    </message>
    <message>
        <source>激励模式</source>
        <translation>Excitation Mode</translation>
    </message>
    <message>
        <source>激励指令</source>
        <translation>Excitation Command</translation>
    </message>
    <message>
        <source>自动幅值</source>
        <translation>Auto Amplitude</translation>
    </message>
    <message>
        <source>电流幅值(DEC)</source>
        <translation>Current Amp.(DEC)</translation>
    </message>
    <message>
        <source>速度/位移幅值</source>
        <translation>Speed/Disp. Amp.</translation>
    </message>
    <message>
        <source>起始频率</source>
        <translation>Start Freq.</translation>
    </message>
    <message>
        <source>截止频率</source>
        <translation>End Freq.</translation>
    </message>
    <message>
        <source>步进频率</source>
        <translation>Step Freq.</translation>
    </message>
</context>
<context>
    <name>CTIDParam</name>
    <message>
        <source>滤波器</source>
        <translation>Filter </translation>
    </message>
    <message>
        <source>激活</source>
        <translation>Active</translation>
    </message>
</context>
</TS>
