# A user with two Presets picks and reads the second, adds a third (after refusals of empty,
# taken and unusable names), renames it and the second (after refusals), and deletes one.
show 预设组合框 标签选择框1 标签选择框2 列表框1
# Picking only stores the selection; reading loads the picked Preset and writes it back.
pick 预设组合框 1
cat Data/config.ini
click 读取预设按钮
show 预设组合框 标签选择框1 标签选择框2 列表框1 文档标题编辑框 序号选择框
click 增加预设按钮
input cancel
answer ok
click 增加预设按钮
input ""
answer ok
click 增加预设按钮
input "周报"
answer ok
click 增加预设按钮
input "a/b"
answer ok
click 增加预设按钮
input "x "
answer ok
click 增加预设按钮
input "<|>"
answer ok
show 预设组合框 标签选择框2
click 增加预设按钮
input "季报"
show 预设组合框 标签选择框2 列表框1 文档标题编辑框
cat Data/config.ini
# Renaming: Cancel at the question, a taken name, a bad name, no name, then a new one.
click 预设改名按钮
answer cancel
click 预设改名按钮
answer ok
input "周报"
answer ok
click 预设改名按钮
answer ok
input "a\\b"
answer ok
click 预设改名按钮
answer ok
input cancel
show 预设组合框
click 预设改名按钮
answer ok
input "年报"
answer ok
show 预设组合框
# The renamed Preset had no file yet; renaming 月报 moves its file.
pick 预设组合框 1
click 预设改名按钮
answer ok
input "月度报告"
answer ok
show 预设组合框 标签选择框2 列表框1
files
# Deleting: Cancel keeps it, OK removes the entry and the file and loads the first entry.
click 删除预设按钮
answer cancel
click 删除预设按钮
answer ok
answer ok
show 预设组合框 标签选择框1 标签选择框2 列表框1
files
cat Data/config.ini
