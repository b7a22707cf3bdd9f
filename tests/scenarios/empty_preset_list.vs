# A user deletes every Preset: the list ends empty with nothing selected; deleting and saving
# then refuse (deleting only after its question), a read keeps its write-back in "\Data\.ini",
# adding with Cancel is refused, and renaming with nothing selected turns that file into the
# new Preset.
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
click 删除预设按钮
answer ok
answer ok
click 删除预设按钮
answer ok
answer ok
show 预设组合框 标签选择框1
files
cat Data/config.ini
click 删除预设按钮
answer ok
answer ok
click 保存设置按钮
answer ok
click 读取预设按钮
files
click 增加预设按钮
input cancel
answer ok
click 预设改名按钮
answer ok
input "新"
answer ok
show 预设组合框
files
