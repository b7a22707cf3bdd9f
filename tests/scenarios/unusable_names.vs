# Names that cannot name a Preset file of its own, or would not come back from config.ini as typed,
# are refused by adding and by renaming; the list, the window and every file stay as they were.
cat Data/config.ini
click 增加预设按钮
input "a/b"
answer ok
click 增加预设按钮
input "x "
answer ok
click 增加预设按钮
input "<|>"
answer ok
click 增加预设按钮
input ".."
answer ok
click 增加预设按钮
input " 周报"
answer ok
click 增加预设按钮
input "说#引号"
answer ok
click 增加预设按钮
input "config"
answer ok
click 增加预设按钮
input "NUL"
answer ok
click 预设改名按钮
answer ok
input "a\\b"
answer ok
click 预设改名按钮
answer ok
input "甲<||>乙"
answer ok
click 预设改名按钮
answer ok
input "何时?"
answer ok
show 预设组合框 标签选择框1 列表框1
files
cat Data/config.ini
cat Data/周报.ini
