# Presets saved by hand in other encodings: config.ini as UTF-8 with a byte-order mark, one
# Preset as UTF-16LE (with a character outside GBK), one as UTF-8 without a mark, one with a
# mark. Each is read, and written back in the encoding it came in, where it reads again.
show 预设组合框 标签选择框1 列表框1
page 框架选择夹 1
page 设置选择夹 1
type 标签内容编辑框1 "改过的𠀀"
page 框架选择夹 0
click 保存设置按钮
answer ok
answer ok
pick 预设组合框 1
click 读取预设按钮
page 框架选择夹 1
show 标签标题编辑框1 标签内容编辑框1
pick 预设组合框 2
click 读取预设按钮
show 标签标题编辑框1 标签内容编辑框1
pick 预设组合框 0
click 读取预设按钮
show 预设组合框 标签选择框1 标签标题编辑框1 标签内容编辑框1
files
cat Data/config.ini
