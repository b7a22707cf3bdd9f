# A folder stands where config.ini should be written: saving, renaming and deleting each show
# why they failed instead of success, and leave the Preset list and every file as they were.
# Startup reads nothing from the folder, so the layout list stands.
show 预设组合框 标签选择框1
files
page 框架选择夹 1
page 设置选择夹 1
type 标签标题编辑框1 "改过"
page 框架选择夹 0
click 保存设置按钮
answer ok
answer ok
show 标签选择框1
click 预设改名按钮
answer ok
input "新名"
answer ok
show 预设组合框 标签选择框1
pick 预设组合框 1
answer ok
click 删除预设按钮
answer ok
answer ok
show 预设组合框
# Picking cannot store the choice either: the selection goes back, and the save fails.
pick 预设组合框 2
answer ok
click 保存设置按钮
answer ok
answer ok
files
cat Data/预设配置一.ini
cat Data/预设配置二.ini
