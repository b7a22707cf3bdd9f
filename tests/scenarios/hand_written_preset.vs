# A Preset edited by hand: LF line ends, sections in another order, blanks around "=" and
# the value, a quoted value, "1" and "否" as ticks, a key of no control and keys missing.
# What the file holds is loaded; empty values and missing keys leave the layout values.
show 预设组合框 文档标题编辑框 序号选择框 列表框1
show 标签选择框3 标签选择框4 标签选择框9 标签选择框10
page 框架选择夹 1
page 设置选择夹 3
show 标签标题编辑框3 标签内容编辑框3
page 设置选择夹 4
show 标签内容编辑框4
page 设置选择夹 9
show 标签内容编辑框9
files
