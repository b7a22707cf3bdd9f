# A new user types Section titles and Tags on the settings pages, saves so that the Tags show
# on the main page, ticks two of them, picks a document title and unnumbered export, and saves
# again: the Preset file holds every key in control order, config.ini the Preset list.
page 框架选择夹 1
page 设置选择夹 0
type 版块编辑框1 "准备"
type 版块编辑框3 "收尾"
page 设置选择夹 1
type 标签标题编辑框1 "甲"
type 标签内容编辑框1 "第一条"
page 设置选择夹 5
type 标签标题编辑框5 "戊"
type 标签内容编辑框5 "第五条\r\n第二行 \"引\""
page 设置选择夹 12
type 标签标题编辑框12 "十二"
type 标签内容编辑框12 "第十二条"
page 框架选择夹 0
# The Section titles show at once; the Tags only after the next refresh.
show 版块分组框1 版块分组框2 版块分组框3 标签选择框1 标签选择框5 标签选择框12
click 保存设置按钮
answer ok
answer ok
show 标签选择框1 标签选择框5 标签选择框12 列表框1
click 标签选择框5
click 标签选择框12
type 文档标题编辑框 "周报"
click 序号选择框
show 列表框1 序号选择框
click 保存设置按钮
answer ok
answer ok
show 列表框1
files
cat Data/config.ini
cat Data/预设配置一.ini
