<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CLinkStatus</name>
    <message>
        <source>通信状态: 正在重新连接...</source>
        <translation>Comm Status: Reconnecting...</translation>
    </message>
</context>
</TS>
