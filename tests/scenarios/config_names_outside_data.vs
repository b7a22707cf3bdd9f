# A hand-edited config.ini lists "..\外面" and "a/b", names that would reach a file outside
# the Data folder or in a subfolder of it: startup, reading, saving, renaming and deleting
# never load, write, move or remove such a file.
show 预设组合框 标签选择框1 列表框1
click 读取预设按钮
show 标签选择框1
click 保存设置按钮
answer ok
answer ok
pick 预设组合框 1
click 读取预设按钮
show 标签选择框1
click 保存设置按钮
answer ok
answer ok
click 删除预设按钮
answer ok
answer ok
show 预设组合框 标签选择框1
click 预设改名按钮
answer ok
input "外面"
answer ok
show 预设组合框 标签选择框1
files
cat 外面.ini
cat Data/a/b.ini
cat Data/config.ini
