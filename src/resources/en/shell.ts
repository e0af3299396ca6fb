<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>关于 VeltoServo</source>
        <translation>About VeltoServo</translation>
    </message>
    <message>
        <source>VeltoServo 版本 %1
伺服驱动器配置与调试工具</source>
        <translation>VeltoServo version %1
Servo drive configuration and tuning tool</translation>
    </message>
</context>
<context>
    <name>CChgLang</name>
    <message>
        <source>语言切换</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>设置在程序重启后生效。</source>
        <translation>The setting takes effect when the program restarts.</translation>
    </message>
</context>
<context>
    <name>CCommCan</name>
    <message>
        <source>详细信息</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>适配器:</source>
        <translation>Adapter:</translation>
    </message>
</context>
<context>
    <name>CCommMode</name>
    <message>
        <source>通信方式</source>
        <translation>Communication Mode</translation>
    </message>
    <message>
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CCommRs232</name>
    <message>
        <source>串口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>被其它程序占用 (%1)</source>
        <translation>held by another program (%1)</translation>
    </message>
</context>
<context>
    <name>CLinkPage</name>
    <message>
        <source>驱动器地址:</source>
        <translation>Drive address:</translation>
    </message>
    <message>
        <source>连接:</source>
        <translation>Link:</translation>
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
<context>
    <name>CMainFrame</name>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
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
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>通信(&amp;C)</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>通信方式</source>
        <translation>Communication Mode</translation>
    </message>
    <message>
        <source>通信设置</source>
        <translation>Communication Settings</translation>
    </message>
    <message>
        <source>参数(&amp;P)</source>
        <translation>&amp;Parameters</translation>
    </message>
    <message>
        <source>基本操作</source>
        <translation>Basic Operation</translation>
    </message>
    <message>
        <source>位置环</source>
        <translation>Position Loop</translation>
    </message>
    <message>
        <source>速度环</source>
        <translation>Speed Loop</translation>
    </message>
    <message>
        <source>电流环</source>
        <translation>Current Loop</translation>
    </message>
    <message>
        <source>I／O口</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>驱动器配置</source>
        <translation>Drive Configuration</translation>
    </message>
    <message>
        <source>驱动器属性</source>
        <translation>Drive Properties</translation>
    </message>
    <message>
        <source>电机配置</source>
        <translation>Motor Configuration</translation>
    </message>
    <message>
        <source>模式(&amp;M)</source>
        <translation>&amp;Modes</translation>
    </message>
    <message>
        <source>脉冲/方向模式</source>
        <translation>Pulse/Direction Mode</translation>
    </message>
    <message>
        <source>模拟速度模式</source>
        <translation>Analog Speed Mode</translation>
    </message>
    <message>
        <source>模拟力矩模式</source>
        <translation>Analog Torque Mode</translation>
    </message>
    <message>
        <source>位置段模式</source>
        <translation>Position Table Mode</translation>
    </message>
    <message>
        <source>速度段模式</source>
        <translation>Speed Table Mode</translation>
    </message>
    <message>
        <source>原点模式</source>
        <translation>Homing Mode</translation>
    </message>
    <message>
        <source>自整定</source>
        <translation>Auto Tuning</translation>
    </message>
    <message>
        <source>自动翻转</source>
        <translation>Auto Reverse</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>对象字典</source>
        <translation>Object Dictionary</translation>
    </message>
    <message>
        <source>示波器</source>
        <translation>Oscilloscope</translation>
    </message>
    <message>
        <source>整定器/专家模式</source>
        <translation>Tuner/Expert Mode</translation>
    </message>
    <message>
        <source>PDO</source>
        <translation>PDO</translation>
    </message>
    <message>
        <source>TPDO</source>
        <translation>TPDO</translation>
    </message>
    <message>
        <source>RPDO</source>
        <translation>RPDO</translation>
    </message>
    <message>
        <source>其它</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>面板</source>
        <translation>Panels</translation>
    </message>
    <message>
        <source>F000</source>
        <translation>F000</translation>
    </message>
    <message>
        <source>F001</source>
        <translation>F001</translation>
    </message>
    <message>
        <source>F002</source>
        <translation>F002</translation>
    </message>
    <message>
        <source>F003</source>
        <translation>F003</translation>
    </message>
    <message>
        <source>F004</source>
        <translation>F004</translation>
    </message>
    <message>
        <source>F005</source>
        <translation>F005</translation>
    </message>
    <message>
        <source>F007</source>
        <translation>F007</translation>
    </message>
    <message>
        <source>错误(&amp;E)</source>
        <translation>&amp;Errors</translation>
    </message>
    <message>
        <source>实时错误</source>
        <translation>Real-time Errors</translation>
    </message>
    <message>
        <source>历史错误</source>
        <translation>Error History</translation>
    </message>
    <message>
        <source>维护(&amp;D)</source>
        <translation>&amp;Drive Data</translation>
    </message>
    <message>
        <source>读驱动器配置</source>
        <translation>Read Drive Configuration</translation>
    </message>
    <message>
        <source>写驱动器配置</source>
        <translation>Write Drive Configuration</translation>
    </message>
    <message>
        <source>初始化/保存</source>
        <translation>Initialise/Save</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>语言切换</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>层叠(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>平铺(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于 VeltoServo(&amp;A)...</source>
        <translation>&amp;About VeltoServo...</translation>
    </message>
</context>
<context>
    <name>CMainToolBar</name>
    <message>
        <source>打开工程</source>
        <translation>Open Project</translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>连接/断开</source>
        <translation>Connect/Disconnect</translation>
    </message>
    <message>
        <source>示波器</source>
        <translation>Oscilloscope</translation>
    </message>
    <message>
        <source>I/O口</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>实时错误</source>
        <translation>Real-time Errors</translation>
    </message>
    <message>
        <source>读驱动器配置</source>
        <translation>Read Drive Configuration</translation>
    </message>
    <message>
        <source>写驱动器配置</source>
        <translation>Write Drive Configuration</translation>
    </message>
    <message>
        <source>层叠窗口</source>
        <translation>Cascade Windows</translation>
    </message>
    <message>
        <source>平铺窗口</source>
        <translation>Tile Windows</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>电流环</source>
        <translation>Current Loop</translation>
    </message>
    <message>
        <source>CAN通信设置</source>
        <translation>CAN Settings</translation>
    </message>
    <message>
        <source>RS232通信设置</source>
        <translation>RS232 Settings</translation>
    </message>
    <message>
        <source>通信方式</source>
        <translation>Communication Mode</translation>
    </message>
    <message>
        <source>基本操作</source>
        <translation>Basic Operation</translation>
    </message>
    <message>
        <source>历史错误</source>
        <translation>Error History</translation>
    </message>
    <message>
        <source>对象字典</source>
        <translation>Object Dictionary</translation>
    </message>
    <message>
        <source>电机配置</source>
        <translation>Motor Configuration</translation>
    </message>
    <message>
        <source>驱动器配置</source>
        <translation>Drive Configuration</translation>
    </message>
    <message>
        <source>位置环</source>
        <translation>Position Loop</translation>
    </message>
    <message>
        <source>速度环</source>
        <translation>Speed Loop</translation>
    </message>
    <message>
        <source>模拟速度模式</source>
        <translation>Analog Speed Mode</translation>
    </message>
    <message>
        <source>速度段模式</source>
        <translation>Speed Table Mode</translation>
    </message>
    <message>
        <source>模拟力矩模式</source>
        <translation>Analog Torque Mode</translation>
    </message>
    <message>
        <source>原点模式</source>
        <translation>Homing Mode</translation>
    </message>
    <message>
        <source>脉冲/方向模式</source>
        <translation>Pulse/Direction Mode</translation>
    </message>
    <message>
        <source>自动翻转</source>
        <translation>Auto Reverse</translation>
    </message>
    <message>
        <source>位置段模式</source>
        <translation>Position Table Mode</translation>
    </message>
    <message>
        <source>自整定</source>
        <translation>Auto Tuning</translation>
    </message>
    <message>
        <source>驱动器属性</source>
        <translation>Drive Properties</translation>
    </message>
    <message>
        <source>I/O口</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>实时错误</source>
        <translation>Real-time Errors</translation>
    </message>
    <message>
        <source>模拟量输入</source>
        <translation>Analog Input</translation>
    </message>
    <message>
        <source>读驱动器配置</source>
        <translation>Read Drive Configuration</translation>
    </message>
    <message>
        <source>功能配置</source>
        <translation>Function Configuration</translation>
    </message>
    <message>
        <source>写驱动器配置</source>
        <translation>Write Drive Configuration</translation>
    </message>
    <message>
        <source>示波器</source>
        <translation>Oscilloscope</translation>
    </message>
    <message>
        <source>整定器/专家模式</source>
        <translation>Tuner/Expert Mode</translation>
    </message>
    <message>
        <source>PDO其它</source>
        <translation>PDO Other</translation>
    </message>
</context>
</TS>
