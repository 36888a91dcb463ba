<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CPortSelectWidget</name>
    <message>
        <location filename="../../src/portselect/CPortSelectWidget.cpp" line="+50"/>
        <location line="+101"/>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <location line="-47"/>
        <location line="+49"/>
        <source>Port </source>
        <translation>端口 </translation>
    </message>
</context>
<context>
    <name>CReceiverListHeader</name>
    <message>
        <location filename="../../src/receiverlist/header/CReceiverListHeader.cpp" line="+79"/>
        <location line="+29"/>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+32"/>
        <source>String position</source>
        <translation>级联位置</translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+32"/>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+32"/>
        <source>S/N</source>
        <translation>序列号</translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+32"/>
        <source>Firmware</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+31"/>
        <source>Error/Total packets</source>
        <translation>误码/总包数</translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+32"/>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+32"/>
        <source>Failed module</source>
        <translation>故障模组</translation>
    </message>
    <message>
        <location line="-32"/>
        <location line="+32"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+31"/>
        <source>Humidity</source>
        <translation>湿度</translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+31"/>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+32"/>
        <source>Uptime</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
</context>
<context>
    <name>CReceiverListView</name>
    <message>
        <location filename="../../src/receiverlist/CReceiverListView.cpp" line="+744"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Succeeded</source>
        <translation>成功</translation>
    </message>
</context>
</TS>
