<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CSdoList</name>
    <message>
        <source>对象索引</source>
        <translation>Object index</translation>
    </message>
    <message>
        <source>对象名字</source>
        <translation>Object name</translation>
    </message>
    <message>
        <source>排列方式</source>
        <translation>Sort by</translation>
    </message>
    <message>
        <source>查找条件</source>
        <translation>Find what</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>Find next</translation>
    </message>
</context>
<context>
    <name>Menu130</name>
    <message>
        <source>add</source>
        <translation>add</translation>
    </message>
    <message>
        <source>del</source>
        <translation>del</translation>
    </message>
    <message>
        <source>help</source>
        <translation>help</translation>
    </message>
</context>
<context>
    <name>PopupHelpDlg</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
