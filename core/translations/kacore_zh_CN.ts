<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>LinkFailureText</name>
    <message>
        <source>No device found</source>
        <translation>未找到设备</translation>
    </message>
    <message>
        <source>Port access denied</source>
        <translation>无权访问端口</translation>
    </message>
    <message>
        <source>Port in use</source>
        <translation>端口被占用</translation>
    </message>
    <message>
        <source>Port is gone</source>
        <translation>端口已不存在</translation>
    </message>
    <message>
        <source>Port cannot be opened</source>
        <translation>端口无法打开</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>设备无应答</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>连接已断开</translation>
    </message>
    <message>
        <source>No port of a CP21xx USB bridge was found. Ports seen: %1. Check the cable and that the device is switched on, then press Connect again.</source>
        <translation>未找到 CP21xx USB 桥接器的端口。已发现的端口：%1。请检查数据线并确认设备已开机，然后再次点击“连接”。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>The port %1 may not be opened by this user (%2). Install the package&apos;s udev rule, or add your user to the &quot;dialout&quot; group, then log out and in again.</source>
        <translation>当前用户无权打开端口 %1（%2）。请安装本软件包的 udev 规则，或将您的用户加入“dialout”组，然后注销并重新登录。</translation>
    </message>
    <message>
        <source>The port %1 is in use by another program (%2). Close that program and press Connect again.</source>
        <translation>端口 %1 正被其他程序占用（%2）。请关闭该程序，然后再次点击“连接”。</translation>
    </message>
    <message>
        <source>The port %1 is no longer there (%2). Plug the device in again and press Connect.</source>
        <translation>端口 %1 已不存在（%2）。请重新插入设备，然后点击“连接”。</translation>
    </message>
    <message>
        <source>The port %1 could not be opened (%2).</source>
        <translation>无法打开端口 %1（%2）。</translation>
    </message>
    <message>
        <source>The device on port %1 did not answer within 600 ms. Switch the device on, or unplug it and plug it in again, then press Connect again.</source>
        <translation>端口 %1 上的设备在 600 毫秒内没有应答。请打开设备，或拔下后重新插入，然后再次点击“连接”。</translation>
    </message>
    <message>
        <source>The connection on port %1 was lost (%2). Check the cable and press Connect again.</source>
        <translation>端口 %1 上的连接已断开（%2）。请检查数据线，然后再次点击“连接”。</translation>
    </message>
</context>
</TS>
