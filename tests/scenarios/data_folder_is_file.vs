# A file stands where the Data folder should be: startup leaves it, and saving, renaming and
# deleting each show why they failed; the file stays as it was and nothing else is written.
page 框架选择夹 1
page 设置选择夹 1
type 标签标题编辑框1 "一"
page 框架选择夹 0
click 保存设置按钮
answer ok
answer ok
click 预设改名按钮
answer ok
input "新名"
answer ok
click 删除预设按钮
answer ok
answer ok
show 预设组合框 标签选择框1
files
cat Data
