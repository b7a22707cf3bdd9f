# Adding, renaming and deleting move the selection away from the Preset last picked; a read
# that follows writes back only into the file it read, so no Preset file ever receives
# another Preset's settings.
files
pick 预设组合框 0
click 增加预设按钮
input "丁"
click 读取预设按钮
show 预设组合框 标签选择框1 列表框1
files
click 预设改名按钮
answer ok
input "戊"
answer ok
click 读取预设按钮
files
click 删除预设按钮
answer ok
answer ok
click 读取预设按钮
show 预设组合框 标签选择框1 列表框1
files
pick 预设组合框 1
click 读取预设按钮
show 预设组合框 标签选择框1 标签选择框2 列表框1
files
cat Data/丙.ini
