# Ticks go to the list in the order of clicking; the next refresh (here a save answered with
# Cancel, which writes nothing) rebuilds the list in control order of the check boxes. A Tag
# ticked without a title stays hidden and out of the list; one without content lists "".
show 标签选择框7 标签选择框8 列表框1
click 标签选择框5
click 标签选择框6
click 标签选择框1
click 标签选择框32
show 列表框1
# Edits on the settings pages reach the main page only with the next refresh.
page 框架选择夹 1
page 设置选择夹 5
type 标签标题编辑框5 "新五"
page 设置选择夹 6
type 标签内容编辑框6 "新六"
page 框架选择夹 0
show 标签选择框5 列表框1
click 保存设置按钮
answer cancel
show 标签选择框5 标签选择框7 列表框1
click 标签选择框6
click 标签选择框8
show 列表框1
files
