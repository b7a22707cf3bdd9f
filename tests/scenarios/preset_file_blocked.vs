# Folders stand where Preset files should be written, removed or moved to: saving and deleting
# show why they failed, renaming onto a name whose file is taken is refused; the Preset list
# and every file stay as they were.
files
cat Data/config.ini
page 框架选择夹 1
page 设置选择夹 1
type 标签标题编辑框1 "一"
page 框架选择夹 0
click 保存设置按钮
answer ok
answer ok
click 删除预设按钮
answer ok
answer ok
show 预设组合框 标签选择框1
cat Data/config.ini
# Picking stores the new selection; the failed rename leaves it so.
pick 预设组合框 1
click 预设改名按钮
answer ok
input "占用"
answer ok
show 预设组合框
files
cat Data/预设配置二.ini
