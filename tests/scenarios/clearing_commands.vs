# The four clearing commands, each first answered with Cancel (nothing changes) and then
# with OK. None of them touches the document title, the numbering box, the Preset list or
# any file (only the read in between writes its Preset back).
show 版块分组框1 版块分组框2 标签选择框1 标签选择框5 标签选择框32 列表框1
click 清空版块按钮
answer cancel
show 版块分组框1 版块分组框2
click 清空版块按钮
answer ok
show 版块分组框1 版块分组框2
page 框架选择夹 1
show 版块编辑框1 版块编辑框2
page 框架选择夹 0
# Clearing the settings hides every Tag; the ticks stay.
click 清空设置按钮
answer cancel
show 标签选择框1 列表框1
click 清空设置按钮
answer ok
show 标签选择框1 标签选择框5 标签选择框32 列表框1
files
click 读取预设按钮
show 版块分组框1 标签选择框1 标签选择框5 标签选择框32 列表框1
click 清空选择按钮
answer cancel
show 标签选择框1 列表框1
click 清空选择按钮
answer ok
show 标签选择框1 标签选择框5 标签选择框32 列表框1
click 标签选择框5
click 全部清空按钮
answer cancel
show 版块分组框1 标签选择框5 列表框1
click 全部清空按钮
answer ok
show 版块分组框1 版块分组框2 版块分组框3 标签选择框1 标签选择框5 标签选择框32 列表框1
show 文档标题编辑框 序号选择框 预设组合框
page 框架选择夹 1
page 设置选择夹 5
show 标签标题编辑框5 标签内容编辑框5
files
