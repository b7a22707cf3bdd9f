# A Preset file of random bytes: the start says it cannot be recognised; saving keeps its bytes
# beside it as "乱码.ini.bak" and writes the Preset afresh, which then reads without a word.
answer ok
page 框架选择夹 1
page 设置选择夹 1
type 标签标题编辑框1 "新一"
page 框架选择夹 0
click 保存设置按钮
answer ok
answer ok
click 读取预设按钮
show 预设组合框 标签选择框1
files
