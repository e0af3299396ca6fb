<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CBatchPage</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CExportDrvData</name>
    <message>
        <source>导入数据</source>
        <translation>Load list</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>保存结果</source>
        <translation>Save result</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>CImportDrvData</name>
    <message>
        <source>导入数据</source>
        <translation>Load data</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write data</translation>
    </message>
    <message>
        <source>保存结果</source>
        <translation>Save result</translation>
    </message>
    <message>
        <source>保存参数</source>
        <translation>Save parameters</translation>
    </message>
    <message>
        <source>驱动器重启</source>
        <translation>Drive restart</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>CParamInitSave</name>
    <message>
        <source>参数初始化 / 保存</source>
        <translation>Parameter Initialise / Save</translation>
    </message>
    <message>
        <source>驱动器保存参数</source>
        <translation>Drive saves parameters</translation>
    </message>
    <message>
        <source>驱动器重启</source>
        <translation>Drive restart</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
</context>
</TS>
