<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ExportReport</name>
    <message>
        <source>The file could not be saved:</source>
        <translation>无法保存文件：</translation>
    </message>
    <message>
        <source>%1 of %2 files were saved. These could not be saved:</source>
        <translation>已保存 %1 个文件（共 %2 个）。以下文件无法保存：</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 个</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>The folder cannot be written, so the export stopped; files not tried: %1.</source>
        <translation>该文件夹无法写入，导出已停止；未尝试保存的文件：%1 个。</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
</context>
<context>
    <name>FolderExport</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Saving %1 of %2</source>
        <translation>正在保存第 %1 个，共 %2 个</translation>
    </message>
    <message>
        <source>%1 of these files are already in %2:</source>
        <translation>其中 %1 个文件已存在于 %2：</translation>
    </message>
    <message>
        <source>Replace them, or keep them and save only the others?</source>
        <translation>替换它们，还是保留它们并只保存其余文件？</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Keep them</source>
        <translation>保留</translation>
    </message>
</context>
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
<context>
    <name>MainWindow</name>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disonnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image File(*.jpg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>导出全部</translation>
    </message>
    <message>
        <source>Save original…</source>
        <translation>保存原图…</translation>
    </message>
    <message>
        <source>Save all originals…</source>
        <translation>保存全部原图…</translation>
    </message>
    <message>
        <source>Save Original</source>
        <translation>保存原图</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG 图像 (*.png)</translation>
    </message>
    <message>
        <source>Choose Directory to Save Originals</source>
        <translation>选择保存原图的文件夹</translation>
    </message>
    <message>
        <source>Save all originals</source>
        <translation>保存全部原图</translation>
    </message>
</context>
<context>
    <name>TransferStatusLabel</name>
    <message>
        <source>Receiving picture %1: %L2 of %L3 bytes (%4%), pictures received: %5</source>
        <translation>正在接收图片 %1：%L2 / %L3 字节（%4%），已接收图片：%5</translation>
    </message>
    <message>
        <source>Pictures received: %1</source>
        <translation>已接收图片：%1</translation>
    </message>
    <message>
        <source>Transfer finished, pictures received: %1</source>
        <translation>传输完成，已接收图片：%1</translation>
    </message>
    <message>
        <source>Transfer finished, pictures received: %1, incomplete: %2</source>
        <translation>传输完成，已接收图片：%1，不完整：%2</translation>
    </message>
    <message>
        <source>A picture was incomplete and was dropped; pictures received: %1</source>
        <translation>一张图片不完整，已丢弃；已接收图片：%1</translation>
    </message>
    <message>
        <source>Picture %1 was incomplete and was dropped (%L2 of %L3 bytes); pictures received: %4</source>
        <translation>图片 %1 不完整，已丢弃（%L2 / %L3 字节）；已接收图片：%4</translation>
    </message>
    <message>
        <source>Language not saved in %1; it holds until you quit.</source>
        <translation>语言设置无法保存到 %1，在程序退出前保持有效。</translation>
    </message>
</context>
</TS>
