<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CColumnVisibility</name>
    <message>
        <location filename="../../src/receiverlist/header/CColumnVisibility.cpp" line="+143"/>
        <source>Reset columns</source>
        <translation>重置列</translation>
    </message>
</context>
<context>
    <name>CDemoCommandLine</name>
    <message>
        <location filename="../../demo/SDemoOptions.cpp" line="+25"/>
        <source>Invalid value &quot;%1&quot; for --%2: expected a whole number from %3 to %4.</source>
        <translation>参数 --%2 的值“%1”无效：应为 %3 到 %4 之间的整数。</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Receiver card view on a simulated LED wall.</source>
        <translation>模拟 LED 显示屏上的接收卡视图。</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Number of output ports (default %1).</source>
        <translation>输出端口数量（默认 %1）。</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <source>count</source>
        <translation>数量</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Receiver cards on each port (default %1).</source>
        <translation>每个端口上的接收卡数量（默认 %1）。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Seed of the simulated wall; equal seeds give equal walls (default %1).</source>
        <translation>模拟显示屏的随机种子；相同的种子生成相同的显示屏（默认 %1）。</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>number</source>
        <translation>数值</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start with the Port column hidden.</source>
        <translation>启动时隐藏端口列。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show temperatures in degrees Fahrenheit.</source>
        <translation>以华氏度显示温度。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User interface language: en or zh_CN.</source>
        <translation>界面语言：en 或 zh_CN。</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>language</source>
        <translation>语言</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Render the main window into this PNG file and exit.</source>
        <translation>将主窗口渲染到此 PNG 文件后退出。</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <source>file</source>
        <translation>文件</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Keep the table&apos;s layout in this file instead of the user&apos;s settings.</source>
        <translation>将表格布局保存在此文件中，而不是用户设置中。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start a scripted upgrade run with succeeding and failing cards.</source>
        <translation>启动一次预设的升级，其中部分接收卡成功、部分失败。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print every signal the host receives to standard output.</source>
        <translation>将宿主程序收到的每个信号输出到标准输出。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Place the window at 0,0 with a fixed size and log every signal, for the end-to-end runs.</source>
        <translation>将窗口以固定大小放在 0,0 处，并输出每个信号，供端到端测试使用。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit after this many milliseconds.</source>
        <translation>在指定的毫秒数后退出。</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>milliseconds</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Soak run: plug and unplug cards, detect, upgrade, select, refresh and switch languages, one step every this many milliseconds, on the live wall.</source>
        <translation>长时运行：在实时屏体上插拔接收卡、检测、升级、全选、刷新并切换语言，每隔这么多毫秒执行一步。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Unexpected argument: %1</source>
        <translation>多余的参数：%1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Unknown language &quot;%1&quot;: use en or zh_CN.</source>
        <translation>未知语言“%1”：请使用 en 或 zh_CN。</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>No display to open a window on. Set DISPLAY, run the demo under xvfb-run, start it with scripts/demo.sh (which serves a virtual screen), or set QT_QPA_PLATFORM=offscreen.</source>
        <translation>没有可以打开窗口的显示。请设置 DISPLAY，在 xvfb-run 下运行演示程序，用 scripts/demo.sh 启动（它会提供一个虚拟屏幕），或设置 QT_QPA_PLATFORM=offscreen。</translation>
    </message>
</context>
<context>
    <name>CDemoHealth</name>
    <message>
        <location filename="../../demo/CDemoHealth.cpp" line="+128"/>
        <source>Filter (S/N, type, firmware)</source>
        <translation>筛选（序列号、类型、固件）</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Card states</source>
        <translation>接收卡状态</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Health &amp;limits...</source>
        <translation>健康阈值(&amp;L)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set the temperature, voltage and humidity limits of the cards</source>
        <translation>设置接收卡的温度、电压和湿度阈值</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>1 checked receiver hidden by the filters</source>
        <translation>1 张已勾选的接收卡被筛选隐藏</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 checked receivers hidden by the filters</source>
        <translation>%1 张已勾选的接收卡被筛选隐藏</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Health limits</source>
        <translation>健康阈值</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A card beyond a limit that is on shows a warning colour and counts in its state.</source>
        <translation>超出已启用阈值的接收卡以警告色显示，并计入相应状态。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Temperature high</source>
        <translation>温度上限</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Voltage low</source>
        <translation>电压下限</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Voltage high</source>
        <translation>电压上限</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Humidity high</source>
        <translation>湿度上限</translation>
    </message>
</context>
<context>
    <name>CDemoMainWindow</name>
    <message>
        <location filename="../../demo/CDemoMainWindow.cpp" line="+156"/>
        <source>CMView Demo - Receiver Cards</source>
        <translation>CMView 演示 - 接收卡</translation>
    </message>
    <message>
        <location filename="../../demo/CDemoActions.cpp" line="+111"/>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Wall</source>
        <translation>显示屏(&amp;W)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Upgrade</source>
        <translation>升级(&amp;U)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Preferences</source>
        <translation>首选项(&amp;P)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Main tool bar</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Live updates</source>
        <translation>实时更新</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Update the receiver values every second</source>
        <translation>每秒更新一次接收卡数据</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rebuild the table from the controllers</source>
        <translation>从控制器重新生成表格</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check all</source>
        <translation>全选</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check every receiver the port filter shows</source>
        <translation>勾选端口筛选后显示的全部接收卡</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Plug card</source>
        <translation>插入接收卡</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Add a card at the end of the filtered port&apos;s string (the last port when all are shown); the next detection finds it</source>
        <translation>在所筛选端口的级联末端添加一张接收卡（显示全部端口时为最后一个端口）；下次检测时发现</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unplug card</source>
        <translation>拔出接收卡</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove the last card of the filtered port&apos;s string (the last port when all are shown); the next detection notices it</source>
        <translation>移除所筛选端口级联末端的接收卡（显示全部端口时为最后一个端口）；下次检测时发现</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Apply now</source>
        <translation>立即应用</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply the plugged and unplugged cards without a detection and refresh</source>
        <translation>不经检测直接应用插入和拔出的接收卡并刷新</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start upgrade</source>
        <translation>开始升级</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrade the checked receivers, or all of them when none is checked</source>
        <translation>升级已勾选的接收卡；未勾选时升级全部接收卡</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit upgrade</source>
        <translation>退出升级</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop the running upgrade</source>
        <translation>停止正在进行的升级</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hide Port column</source>
        <translation>隐藏端口列</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fahrenheit</source>
        <translation>华氏度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show temperatures in degrees Fahrenheit</source>
        <translation>以华氏度显示温度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../../demo/CDemoStatus.cpp" line="+63"/>
        <source>Diagnostics</source>
        <translation>诊断信息</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Receivers</source>
        <translation>接收卡</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Output ports</source>
        <translation>输出端口</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sending device</source>
        <translation>发送设备</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Value updates</source>
        <translation>数据更新次数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detections</source>
        <translation>检测次数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cards with cable errors</source>
        <translation>有误码的接收卡</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pending topology changes</source>
        <translation>待检测的连接变化</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <location filename="../../demo/CDemoMainWindow.cpp" line="+89"/>
        <source>A card was plugged on port %1. Click Reset in the table header to detect it.</source>
        <translation>已在端口 %1 插入一张接收卡。请点击表头中的“重置”进行检测。</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>A card was unplugged from port %1. Click Reset in the table header to detect it.</source>
        <translation>已从端口 %1 拔出一张接收卡。请点击表头中的“重置”进行检测。</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Upgrade finished: %1 succeeded, %2 failed.</source>
        <translation>升级完成：%1 张成功，%2 张失败。</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>No translation catalogue found for %1.</source>
        <translation>未找到 %1 的翻译文件。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Detection found a changed wall: %1 receivers now.</source>
        <translation>检测发现显示屏已变化：现有 %1 张接收卡。</translation>
    </message>
    <message>
        <location filename="../../demo/CDemoStatus.cpp" line="+30"/>
        <source>1 receiver checked</source>
        <translation>已勾选 1 张接收卡</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 receivers checked</source>
        <translation>已勾选 %1 张接收卡</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Filter: port %1</source>
        <translation>筛选：端口 %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Filter: all ports</source>
        <translation>筛选：全部端口</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 of %2 receivers shown</source>
        <translation>显示 %1 / %2 张接收卡</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 receiver</source>
        <translation>1 张接收卡</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 receivers</source>
        <translation>%1 张接收卡</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Upgrading: %1 of %2 done, %3 failed</source>
        <translation>升级中：已完成 %1 / %2，失败 %3</translation>
    </message>
    <message>
        <location line="+36"/>
        <location line="+8"/>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>%1 by device, %2 of all devices</source>
        <translation>按设备 %1 次，全部设备 %2 次</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>yes, waiting for a detection</source>
        <translation>有，等待检测</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>no</source>
        <translation>无</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 cards: %2 running, %3 succeeded, %4 failed</source>
        <translation>%1 张：进行中 %2，成功 %3，失败 %4</translation>
    </message>
</context>
<context>
    <name>CDemoOperatorTools</name>
    <message>
        <location filename="../../demo/CDemoOperatorTools.cpp" line="+99"/>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy the checked receivers, or the current one, as tab-separated text</source>
        <translation>将已勾选的接收卡（或当前接收卡）复制为制表符分隔的文本</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xport CSV...</source>
        <translation>导出 CSV(&amp;X)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Find...</source>
        <translation>查找(&amp;F)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Co&amp;lumns</source>
        <translation>列(&amp;L)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find bar</source>
        <translation>查找栏</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find:</source>
        <translation>查找：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find receiver (S/N, type, firmware)</source>
        <translation>查找接收卡（序列号、类型、固件）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find next</source>
        <translation>查找下一个</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close the find bar</source>
        <translation>关闭查找栏</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Copied to the clipboard.</source>
        <translation>已复制到剪贴板。</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Exported %1.</source>
        <translation>已导出 %1。</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Could not write %1.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>No receiver matches &quot;%1&quot;.</source>
        <translation>没有与“%1”匹配的接收卡。</translation>
    </message>
</context>
<context>
    <name>CDemoWallMap</name>
    <message>
        <location filename="../../demo/CDemoWallMap.cpp" line="+62"/>
        <location line="+1"/>
        <source>Wall map</source>
        <translation>墙体地图</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Map colours</source>
        <translation>地图着色</translation>
    </message>
</context>
<context>
    <name>CHeaderAccessible</name>
    <message>
        <location filename="../../src/receiverlist/accessible/CHeaderAccessible.cpp" line="+101"/>
        <source>Receiver table header</source>
        <translation>接收卡表头</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Check all receivers</source>
        <translation>勾选全部接收卡</translation>
    </message>
</context>
<context>
    <name>CPortSelectWidget</name>
    <message>
        <location filename="../../src/portselect/CPortSelectWidget.cpp" line="+105"/>
        <location line="+93"/>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <location line="-48"/>
        <location line="+50"/>
        <source>Port </source>
        <translation>端口 </translation>
    </message>
</context>
<context>
    <name>CReceiverListHeader</name>
    <message>
        <location filename="../../src/receiverlist/header/CReceiverListHeader.cpp" line="+134"/>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>String position</source>
        <translation>级联位置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>S/N</source>
        <translation>序列号</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Firmware</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error/Total packets</source>
        <translation>误码/总包数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed module</source>
        <translation>故障模组</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Humidity</source>
        <translation>湿度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Uptime</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <location filename="../../src/receiverlist/accessible/CHeaderAccessible.cpp" line="+4"/>
        <location filename="../../src/receiverlist/header/CReceiverListHeader.cpp" line="+92"/>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <location line="-2"/>
        <location filename="../../src/receiverlist/accessible/CMainViewAccessible.cpp" line="+90"/>
        <location filename="../../src/receiverlist/header/CReceiverListHeader.cpp" line="+2"/>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
</context>
<context>
    <name>CReceiverListView</name>
    <message>
        <location filename="../../src/receiverlist/progress/CUpgradeProgress.cpp" line="+41"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Succeeded</source>
        <translation>成功</translation>
    </message>
</context>
<context>
    <name>CReceiverStatusList</name>
    <message>
        <location filename="../../src/statuslist/CStatusListModel.cpp" line="+15"/>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packet errors</source>
        <translation>误码</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Too hot</source>
        <translation>温度过高</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Voltage out of range</source>
        <translation>电压超出范围</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Humidity high</source>
        <translation>湿度过高</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed modules</source>
        <translation>故障模组</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrading</source>
        <translation>升级中</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrade failed</source>
        <translation>升级失败</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Needs attention</source>
        <translation>需要关注</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>%1 (%2)</source>
        <extracomment>A line of the state list: the state&apos;s name and its number of cards.</extracomment>
        <translation>%1（%2）</translation>
    </message>
</context>
<context>
    <name>CReceiverTableModel</name>
    <message>
        <location filename="../../src/receiverlist/model/CReceiverTableModelHealth.cpp" line="+86"/>
        <source>Above the temperature limit of %1 °F</source>
        <translation>高于温度上限 %1 °F</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Above the temperature limit of %1 °C</source>
        <translation>高于温度上限 %1 °C</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Below the voltage limit of %1 V</source>
        <translation>低于电压下限 %1 V</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Above the voltage limit of %1 V</source>
        <translation>高于电压上限 %1 V</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Above the humidity limit of %1%</source>
        <translation>高于湿度上限 %1%</translation>
    </message>
</context>
<context>
    <name>CWallMapView</name>
    <message>
        <location filename="../../src/wallmap/CWallMapView.cpp" line="+95"/>
        <source>Health</source>
        <translation>健康状态</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../../src/wallmap/WallMapMeasure.cpp" line="+37"/>
        <source>Packet errors</source>
        <translation>误码</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Upgrade progress</source>
        <translation>升级进度</translation>
    </message>
    <message>
        <location line="+208"/>
        <source>Port %1, position %2
S/N %3
%4: %5</source>
        <translation>端口 %1，位置 %2
序列号 %3
%4：%5</translation>
    </message>
    <message>
        <location filename="../../src/wallmap/WallMapMeasure.cpp" line="-2"/>
        <source>Upgrade failed</source>
        <translation>升级失败</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed modules</source>
        <translation>故障模组</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Too hot</source>
        <translation>温度过高</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Voltage out of range</source>
        <translation>电压超出范围</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Humidity high</source>
        <translation>湿度过高</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrading</source>
        <translation>升级中</translation>
    </message>
    <message>
        <location line="+112"/>
        <location line="+66"/>
        <source>OK</source>
        <translation>正常</translation>
    </message>
    <message>
        <location line="-51"/>
        <source>1 ppm</source>
        <translation>1 ppm</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>100 ppm</source>
        <translation>100 ppm</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>1%</source>
        <translation>1%</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Not upgrading</source>
        <translation>未升级</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Succeeded</source>
        <translation>成功</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>No reading</source>
        <translation>无读数</translation>
    </message>
    <message>
        <location filename="../../src/wallmap/CWallMapAccessible.cpp" line="+129"/>
        <source>Port %1</source>
        <translation>端口 %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Position %1</source>
        <translation>位置 %1</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>%1, position %2: no card</source>
        <translation>%1，位置 %2：无接收卡</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1, position %2: S/N %3, %4</source>
        <translation>%1，位置 %2：序列号 %3，%4</translation>
    </message>
</context>
<context>
    <name>RowBoxAccessible</name>
    <message>
        <location filename="../../src/receiverlist/accessible/RowBoxAccessible.cpp" line="+17"/>
        <source>Receiver checked</source>
        <translation>接收卡已勾选</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Receiver not checked</source>
        <translation>接收卡未勾选</translation>
    </message>
</context>
</TS>
