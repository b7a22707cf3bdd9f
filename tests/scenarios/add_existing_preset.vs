# A Preset file is there without an entry (copied in by hand, or left behind): adding its name
# reads it into the window and says so, and saving keeps what it held.
click 增加预设按钮
input "X"
answer ok
show 预设组合框 标签选择框1
page 框架选择夹 1
page 设置选择夹 1
show 标签标题编辑框1 标签内容编辑框1
click 保存设置按钮
answer ok
answer ok
cat Data/X.ini
