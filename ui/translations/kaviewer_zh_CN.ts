<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AutoSave</name>
    <message>
        <source>Choose the Folder for Each Arriving Picture</source>
        <translation>选择保存每张到达图片的文件夹</translation>
    </message>
</context>
<context>
    <name>ExportCommands</name>
    <message>
        <source>Save Image</source>
        <translation>保存图片</translation>
    </message>
    <message>
        <source>Image File(*.jpg)</source>
        <translation>图片文件(*.jpg)</translation>
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
        <source>Choose Directory to Save Images</source>
        <translation>选择保存图片的文件夹</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>导出全部</translation>
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
    <name>HelpWindow</name>
    <message>
        <source>KA Image Viewer Help</source>
        <translation>KA 图像查看器帮助</translation>
    </message>
    <message>
        <source>Controls</source>
        <translation>控件</translation>
    </message>
    <message>
        <source>Troubleshooting</source>
        <translation>故障排除</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Copies the whole log to the clipboard</source>
        <translation>将整个日志复制到剪贴板</translation>
    </message>
    <message>
        <source>Saves the whole log as a text file</source>
        <translation>将整个日志保存为文本文件</translation>
    </message>
    <message>
        <source>The program&apos;s messages since it started, newest last</source>
        <translation>程序启动以来的消息，最新的在最后</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控件</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>作用</translation>
    </message>
    <message>
        <source>Connect / Disconnect</source>
        <translation>连接 / 断开</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>Finds the device&apos;s USB serial port, connects and downloads the stored pictures; pressed again, disconnects. The pictures stay on screen.</source>
        <translation>查找设备的 USB 串口，连接并下载设备中存储的图片；再按一次则断开。图片仍保留在屏幕上。</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Saves the preview (frame, picture and its number) as a JPEG file.</source>
        <translation>将预览（边框、图片及其编号）保存为 JPEG 文件。</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>导出全部</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Ctrl+Shift+E</translation>
    </message>
    <message>
        <source>Saves every picture into a folder you choose, one JPEG file each.</source>
        <translation>将每张图片保存到所选文件夹中，每张一个 JPEG 文件。</translation>
    </message>
    <message>
        <source>Picture list</source>
        <translation>图片列表</translation>
    </message>
    <message>
        <source>Up, Down, Page Up, Page Down, Home, End</source>
        <translation>上、下、Page Up、Page Down、Home、End</translation>
    </message>
    <message>
        <source>Click a row or move with the keys: the preview shows that picture. The newest arrival always takes the preview.</source>
        <translation>单击一行或用按键移动：预览显示该图片。新收到的图片总是显示在预览中。</translation>
    </message>
    <message>
        <source>Save original…, Save all originals…</source>
        <translation>保存原图…、保存全部原图…</translation>
    </message>
    <message>
        <source>Switches the language at once.</source>
        <translation>立即切换语言。</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Opens this help; Esc closes it.</source>
        <translation>打开本帮助；按 Esc 关闭。</translation>
    </message>
    <message>
        <source>Minimises the window / quits the program.</source>
        <translation>最小化窗口 / 退出程序。</translation>
    </message>
    <message>
        <source>Window background</source>
        <translation>窗口背景</translation>
    </message>
    <message>
        <source>Drag it with the mouse to move the window.</source>
        <translation>用鼠标拖动即可移动窗口。</translation>
    </message>
    <message>
        <source>All controls</source>
        <translation>所有控件</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab, Space</source>
        <translation>Tab、Shift+Tab、空格</translation>
    </message>
    <message>
        <source>Move between the controls and press the one that has the focus.</source>
        <translation>在控件之间移动，并按下具有焦点的控件。</translation>
    </message>
    <message>
        <source>No serial port names a CP21xx bridge; the tip lists the ports seen. Check the cable (some carry power only) and that the device is on.</source>
        <translation>没有串口的描述中包含 CP21xx 桥接芯片；提示中列出了找到的端口。请检查数据线（有些只能供电）以及设备是否已开机。</translation>
    </message>
    <message>
        <source>Your user may not open the port. Install the package (its udev rule) or join the &quot;dialout&quot; group, then log out and in again.</source>
        <translation>当前用户无权打开该端口。请安装软件包（其 udev 规则）或加入“dialout”组，然后注销并重新登录。</translation>
    </message>
    <message>
        <source>Another program holds the port (a terminal program, a second kaviewer). Close it; ModemManager may hold a new port for a few seconds.</source>
        <translation>另一个程序（终端程序、第二个 kaviewer）占用了该端口。请关闭它；ModemManager 可能会占用新端口几秒钟。</translation>
    </message>
    <message>
        <source>The port vanished between being listed and being opened: the cable was pulled. Plug it in again.</source>
        <translation>端口在列出后、打开前消失：数据线被拔出。请重新插入。</translation>
    </message>
    <message>
        <source>The system refused the port for the reason in the tip.</source>
        <translation>系统因提示中所述的原因拒绝打开该端口。</translation>
    </message>
    <message>
        <source>The device did not answer within 600 ms: it is off or busy. Switch it on, or unplug it and plug it in again.</source>
        <translation>设备在 600 毫秒内没有应答：设备已关机或正忙。请打开设备，或拔下后重新插入。</translation>
    </message>
    <message>
        <source>The port failed during the handshake or while connected: the cable was pulled or the device switched off. Check the cable and press Connect again.</source>
        <translation>握手或连接期间端口出错：数据线被拔出或设备已关机。请检查数据线后再次点击连接。</translation>
    </message>
    <message>
        <source>When a connection fails or ends, the window says why below the connection status; hold the mouse over the reason for the port&apos;s name and the details.</source>
        <translation>连接失败或中断时，窗口会在连接状态下方显示原因；将鼠标停在原因上可查看端口名称和详细信息。</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>What to do</source>
        <translation>处理方法</translation>
    </message>
    <message>
        <source>Every step is written to the log (last tab): the CP21 ports tried, the commands sent, the pictures received. To report a problem, save the log there with Save… and send it with the version (About tab) and your system (Debian or Windows version, desktop).</source>
        <translation>每一步都会写入日志（最后一个标签页）：尝试的 CP21 端口、发送的命令、收到的图片。报告问题时，请在那里用“保存…”保存日志，并连同版本号（“关于”标签页）和您的系统（Debian 或 Windows 版本、桌面环境）一起发送。</translation>
    </message>
    <message>
        <source>KA Image Viewer</source>
        <translation>KA 图像查看器</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Built with Qt %1, running on Qt %2</source>
        <translation>使用 Qt %1 构建，运行于 Qt %2</translation>
    </message>
    <message>
        <source>Copyright 2025-2026 the KA Image Viewer developers. All rights reserved: no licence to copy, change or redistribute the program has been granted yet.</source>
        <translation>版权所有 2025-2026 KA 图像查看器开发者。保留所有权利：尚未授予复制、修改或再发布本程序的许可。</translation>
    </message>
    <message>
        <source>Qt is used under the GNU Lesser General Public License, version 3.</source>
        <translation>Qt 依据 GNU 宽通用公共许可证第 3 版使用。</translation>
    </message>
    <message>
        <source>Fonts: Roboto (Google), Apache License 2.0. WenQuanYi Micro Hei, Apache License 2.0 or GNU General Public License version 3 or later with the font exception.</source>
        <translation>字体：Roboto（Google），Apache 许可证 2.0。文泉驿微米黑，Apache 许可证 2.0 或带字体例外的 GNU 通用公共许可证第 3 版或更高版本。</translation>
    </message>
    <message>
        <source>Save Log</source>
        <translation>保存日志</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>文本文件 (*.txt)</translation>
    </message>
    <message>
        <source>The log could not be saved:</source>
        <translation>无法保存日志：</translation>
    </message>
    <message>
        <source>Right-click a row or the preview: saves the received picture at its own size as PNG.</source>
        <translation>右键单击某一行或预览：将收到的图片按原尺寸保存为 PNG。</translation>
    </message>
    <message>
        <source>Current picture</source>
        <translation>当前图片</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Asks the device for the picture it shows now and previews it, without adding it to the list. Also on the preview&apos;s right-click menu.</source>
        <translation>向设备请求其当前显示的图片并预览，不加入列表。预览区的右键菜单中也有此项。</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>实时预览</translation>
    </message>
    <message>
        <source>Shift+F5</source>
        <translation>Shift+F5</translation>
    </message>
    <message>
        <source>Asks for the next current picture each time one arrives, until pressed again, Disconnect, a failure or a stored transfer.</source>
        <translation>每收到一张当前图片就请求下一张，直到再次按下 Shift+F5、断开连接、出现故障或开始传输存储的图片。</translation>
    </message>
    <message>
        <source>Viewer</source>
        <translation>查看器</translation>
    </message>
    <message>
        <source>Double click, Enter</source>
        <translation>双击、Enter</translation>
    </message>
    <message>
        <source>Opens the row&apos;s or the preview&apos;s picture in a window of its own; also on the right-click menus.</source>
        <translation>在单独的窗口中打开该行或预览中的图片；右键菜单中也有此项。</translation>
    </message>
    <message>
        <source>Viewer: zoom</source>
        <translation>查看器：缩放</translation>
    </message>
    <message>
        <source>Wheel, +, -, 0, F</source>
        <translation>滚轮、+、-、0、F</translation>
    </message>
    <message>
        <source>Zooms about the pointer from 1/8 to 32 times; 0 is 1:1, F fits the window.</source>
        <translation>以指针为中心在 1/8 到 32 倍之间缩放；0 为 1:1，F 适合窗口。</translation>
    </message>
    <message>
        <source>Viewer: pan</source>
        <translation>查看器：平移</translation>
    </message>
    <message>
        <source>Arrow keys, drag</source>
        <translation>方向键、拖动</translation>
    </message>
    <message>
        <source>Moves the picture in the window.</source>
        <translation>在窗口中移动图片。</translation>
    </message>
    <message>
        <source>Viewer: region</source>
        <translation>查看器：区域</translation>
    </message>
    <message>
        <source>Shift+drag, A, Ctrl+C, Esc</source>
        <translation>Shift+拖动、A、Ctrl+C、Esc</translation>
    </message>
    <message>
        <source>Marks a region, or the whole picture, for its figures and histogram; Ctrl+C copies the figures, Esc clears the region, then closes the viewer.</source>
        <translation>标记一个区域或整张图片，显示其统计数据和直方图；Ctrl+C 复制数据，Esc 先清除区域，再按则关闭查看器。</translation>
    </message>
    <message>
        <source>Viewer: pictures</source>
        <translation>查看器：图片</translation>
    </message>
    <message>
        <source>Page Up, Page Down, D</source>
        <translation>Page Up、Page Down、D</translation>
    </message>
    <message>
        <source>The previous or next picture of the list, keeping zoom, position and region; D shows the difference from the previous picture.</source>
        <translation>列表中的上一张或下一张图片，缩放、位置和区域保持不变；D 显示与上一张图片的差异。</translation>
    </message>
    <message>
        <source>Viewer: record</source>
        <translation>查看器：录制</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Records every complete current picture as PNG into a folder, with frames.csv; R again stops.</source>
        <translation>将每张完整的当前图片以 PNG 格式录制到文件夹中，并附 frames.csv；再按 R 停止。</translation>
    </message>
    <message>
        <source>Save each picture as it arrives…</source>
        <translation>每张图片到达时保存…</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Asks for a folder, then saves the pictures in the list and each one that arrives as PNG, in a folder named after the device, never twice; pressed again, stops. Also on the right-click menus.</source>
        <translation>先选择文件夹，然后将列表中的图片及之后到达的每张图片以 PNG 格式保存到以设备命名的文件夹中，不会重复保存；再按一次则停止。右键菜单中也有此项。</translation>
    </message>
</context>
<context>
    <name>ImageRowItem</name>
    <message>
        <source>Picture %1</source>
        <translation>图片 %1</translation>
    </message>
    <message>
        <source>Shown in the preview when selected</source>
        <translation>选中后显示在预览中</translation>
    </message>
    <message>
        <source>Picture %1, saved</source>
        <translation>图片 %1，已保存</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>导出全部</translation>
    </message>
    <message>
        <source>Connects to the device and downloads its pictures, or disconnects (Ctrl+K)</source>
        <translation>连接设备并下载其图片，或断开连接 (Ctrl+K)</translation>
    </message>
    <message>
        <source>Saves the preview as a JPEG file (Ctrl+E)</source>
        <translation>将预览保存为 JPEG 文件 (Ctrl+E)</translation>
    </message>
    <message>
        <source>Saves every picture into a folder (Ctrl+Shift+E)</source>
        <translation>将每张图片保存到文件夹中 (Ctrl+Shift+E)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Quits the program</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Minimises the window</source>
        <translation>最小化窗口</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Opens the help window (F1)</source>
        <translation>打开帮助窗口 (F1)</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Shows the window in Simplified Chinese</source>
        <translation>以简体中文显示窗口</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Shows the window in English</source>
        <translation>以英文显示窗口</translation>
    </message>
    <message>
        <source>KA Image Viewer</source>
        <translation>KA 图像查看器</translation>
    </message>
    <message>
        <source>Connection status</source>
        <translation>连接状态</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>The received pictures; the arrow keys move through them and the preview follows</source>
        <translation>收到的图片；方向键在其间移动，预览随之切换</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>The selected picture at its own size; its number is below</source>
        <translation>按原尺寸显示的所选图片；其编号在下方</translation>
    </message>
    <message>
        <source>Number of the picture in the preview</source>
        <translation>预览中图片的编号</translation>
    </message>
    <message>
        <source>Maker&apos;s logo</source>
        <translation>制造商标志</translation>
    </message>
    <message>
        <source>Its menu saves originals and each picture as it arrives (Ctrl+Shift+S)</source>
        <translation>其菜单可保存原图，并可在每张图片到达时保存 (Ctrl+Shift+S)</translation>
    </message>
</context>
<context>
    <name>OriginalsMenu</name>
    <message>
        <source>Save original…</source>
        <translation>保存原图…</translation>
    </message>
    <message>
        <source>Save all originals…</source>
        <translation>保存全部原图…</translation>
    </message>
    <message>
        <source>Current picture from the device</source>
        <translation>从设备获取当前图片</translation>
    </message>
    <message>
        <source>Show the last current picture</source>
        <translation>再次显示最近的当前图片</translation>
    </message>
    <message>
        <source>Open in the viewer</source>
        <translation>在查看器中打开</translation>
    </message>
    <message>
        <source>Save each picture as it arrives…</source>
        <translation>每张图片到达时保存…</translation>
    </message>
</context>
<context>
    <name>PreviewArea</name>
    <message>
        <source>Current picture</source>
        <translation>当前图片</translation>
    </message>
    <message>
        <source>Preview: the current picture, arriving</source>
        <translation>预览：当前图片，正在接收</translation>
    </message>
    <message>
        <source>Preview: picture %1, arriving</source>
        <translation>预览：图片 %1，正在接收</translation>
    </message>
    <message>
        <source>Preview: no picture</source>
        <translation>预览：无图片</translation>
    </message>
    <message>
        <source>%1 by %2 pixels, %3 per pixel</source>
        <translation>%1 × %2 像素，每像素 %3</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 字节</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 字节</translation>
    </message>
    <message>
        <source>Preview: picture %1, %2</source>
        <translation>预览：图片 %1，%2</translation>
    </message>
    <message>
        <source>Preview: the current picture, %1</source>
        <translation>预览：当前图片，%1</translation>
    </message>
</context>
<context>
    <name>RecordingControl</name>
    <message>
        <source>Record the current pictures into</source>
        <translation>将当前图片录制到</translation>
    </message>
    <message>
        <source>Recording into %1</source>
        <translation>正在录制到 %1</translation>
    </message>
    <message>
        <source>Not recording: %1</source>
        <translation>未录制：%1</translation>
    </message>
    <message>
        <source>Recording stopped: %1 frames in %2 s, %3 per second, in %4</source>
        <translation>录制已停止：%2 秒内 %1 帧，每秒 %3 帧，保存在 %4</translation>
    </message>
    <message>
        <source>Recording: %1 frames</source>
        <translation>正在录制：%1 帧</translation>
    </message>
    <message>
        <source>Recording stopped after %1 frames: %2</source>
        <translation>录制在 %1 帧后停止：%2</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>停止录制</translation>
    </message>
    <message>
        <source>Record…</source>
        <translation>录制…</translation>
    </message>
    <message>
        <source>Writes every complete current picture as a PNG file with frames.csv into a folder (R)</source>
        <translation>将每张完整的当前图片作为 PNG 文件连同 frames.csv 写入文件夹 (R)</translation>
    </message>
</context>
<context>
    <name>RegionPanel</name>
    <message>
        <source>No region: drag with Shift held, or press A for the whole picture.</source>
        <translation>没有区域：按住 Shift 拖动，或按 A 选择整张图片。</translation>
    </message>
    <message>
        <source>Region figures</source>
        <translation>区域数据</translation>
    </message>
    <message>
        <source>Histogram</source>
        <translation>直方图</translation>
    </message>
    <message>
        <source>How many pixels of the region have each level, one band per channel</source>
        <translation>区域中每个级别的像素数，每个通道一条</translation>
    </message>
    <message>
        <source>Whole picture</source>
        <translation>整张图片</translation>
    </message>
    <message>
        <source>Takes the whole picture as the region (A)</source>
        <translation>将整张图片作为区域 (A)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Puts the region&apos;s figures on the clipboard as text (Ctrl+C)</source>
        <translation>将区域数据以文本形式复制到剪贴板 (Ctrl+C)</translation>
    </message>
</context>
<context>
    <name>StatusColumn</name>
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
        <source>The connected device&apos;s serial number and firmware</source>
        <translation>已连接设备的序列号和固件</translation>
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
        <source>Connect first to ask for the current picture</source>
        <translation>请先连接设备，再获取当前图片</translation>
    </message>
    <message>
        <source>Stored pictures are arriving; ask for the current picture once they are in</source>
        <translation>存储的图片正在传输；传输完成后再获取当前图片</translation>
    </message>
    <message>
        <source>The current picture is already on its way</source>
        <translation>当前图片正在传输中</translation>
    </message>
    <message>
        <source>Asking the device for its current picture</source>
        <translation>正在向设备请求当前图片</translation>
    </message>
    <message>
        <source>Current picture received</source>
        <translation>已接收当前图片</translation>
    </message>
    <message>
        <source>The device sent no current picture</source>
        <translation>设备未发送当前图片</translation>
    </message>
    <message>
        <source>The current picture was incomplete and was dropped (%L1 of %L2 bytes)</source>
        <translation>当前图片不完整，已丢弃（%L1 / %L2 字节）</translation>
    </message>
    <message>
        <source>Live view: waiting for the first picture</source>
        <translation>实时预览：等待第一张图片</translation>
    </message>
    <message>
        <source>Live view: %L1 pictures per second</source>
        <translation>实时预览：每秒 %L1 张图片</translation>
    </message>
    <message>
        <source>Live view stopped</source>
        <translation>实时预览已停止</translation>
    </message>
    <message>
        <source>The current picture was incomplete and was dropped</source>
        <translation>当前图片不完整，已丢弃</translation>
    </message>
    <message>
        <source>Language not saved in %1; it holds until you quit.</source>
        <translation>语言设置无法保存到 %1，在程序退出前保持有效。</translation>
    </message>
    <message>
        <source>Receiving picture %1, pictures received: %2</source>
        <translation>正在接收图片 %1，已接收图片：%2</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>Saving to %1 failed: %2 (%3 new, %4 already there, %5 not saved)</source>
        <translation>保存到 %1 失败：%2（新增 %3 张，已存在 %4 张，未保存 %5 张）</translation>
    </message>
    <message>
        <source>Saving each picture to %1</source>
        <translation>每张图片到达时保存到 %1</translation>
    </message>
    <message>
        <source>Saved to %1: %2 new, %3 already there</source>
        <translation>已保存到 %1：新增 %2 张，已存在 %3 张</translation>
    </message>
    <message>
        <source>Saved to %1: %2 new, %3 already there, %4 not saved</source>
        <translation>已保存到 %1：新增 %2 张，已存在 %3 张，未保存 %4 张</translation>
    </message>
</context>
<context>
    <name>ViewerSource</name>
    <message>
        <source>Current picture, live</source>
        <translation>当前图片，实时</translation>
    </message>
    <message>
        <source>Current picture</source>
        <translation>当前图片</translation>
    </message>
    <message>
        <source>Picture no longer in the list</source>
        <translation>图片已不在列表中</translation>
    </message>
    <message>
        <source>Picture %1 (%2 of %3)</source>
        <translation>图片 %1（第 %2 张，共 %3 张）</translation>
    </message>
</context>
<context>
    <name>ViewerTexts</name>
    <message>
        <source>Grey</source>
        <translation>灰度</translation>
    </message>
    <message>
        <source>x %1, y %2: %3, shown as %4</source>
        <translation>x %1，y %2：%3，显示为 %4</translation>
    </message>
    <message>
        <source>Region x %1, y %2, %3 by %4 pixels</source>
        <translation>区域 x %1，y %2，%3 × %4 像素</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>Std dev</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>数量</translation>
    </message>
</context>
<context>
    <name>ViewerWindow</name>
    <message>
        <source>No previous picture to compare with.</source>
        <translation>没有可比较的上一张图片。</translation>
    </message>
    <message>
        <source>The previous picture differs in size or format.</source>
        <translation>上一张图片的尺寸或格式不同。</translation>
    </message>
    <message>
        <source>Black: unchanged; a change of one level shows at 96 of 255.</source>
        <translation>黑色：未变化；变化一个级别显示为 96/255。</translation>
    </message>
    <message>
        <source>%1 – %2 – KA Image Viewer</source>
        <translation>%1 – %2 – KA 图像查看器</translation>
    </message>
    <message>
        <source>difference</source>
        <translation>差异</translation>
    </message>
    <message>
        <source>viewer</source>
        <translation>查看器</translation>
    </message>
    <message>
        <source>No pixel under the pointer</source>
        <translation>指针下没有像素</translation>
    </message>
    <message>
        <source>Zoom %1:1</source>
        <translation>缩放 %1:1</translation>
    </message>
    <message>
        <source>Zoom 1:%1</source>
        <translation>缩放 1:%1</translation>
    </message>
    <message>
        <source>Picture, zoomed</source>
        <translation>图片（缩放）</translation>
    </message>
    <message>
        <source>Wheel, + and - zoom about the pointer, 0 is 1:1, F fits; drag or the arrow keys pan; drag with Shift to mark a region; Page Up and Page Down step through the pictures</source>
        <translation>滚轮、+ 和 - 以指针为中心缩放，0 为 1:1，F 适合窗口；拖动或方向键平移；按住 Shift 拖动标记区域；Page Up 和 Page Down 切换图片</translation>
    </message>
    <message>
        <source>The pixel under the pointer and its raw value</source>
        <translation>指针下的像素及其原始值</translation>
    </message>
    <message>
        <source>Difference from the previous picture</source>
        <translation>与上一张图片的差异</translation>
    </message>
    <message>
        <source>Shows |this - previous| for each channel, amplified so that one level shows (D)</source>
        <translation>显示每个通道的 |本张 - 上一张|，放大到一个级别的变化也可见 (D)</translation>
    </message>
</context>
</TS>
