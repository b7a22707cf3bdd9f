# The program starts again on the files the save of save_settings wrote: the Preset list,
# the ticks, the titles and contents, the Section titles and the document title come back;
# the list is in control order; the numbering caption keeps its layout text until clicked.
# A "\Data\.ini" left by a read before any pick is removed and not loaded.
show 预设组合框 文档标题编辑框 序号选择框 列表框1
show 版块分组框1 版块分组框2 版块分组框3
show 标签选择框1 标签选择框5 标签选择框12 标签选择框2
page 框架选择夹 1
show 版块编辑框1 版块编辑框2 版块编辑框3
show 标签标题编辑框5 标签内容编辑框5 标签标题编辑框12 标签内容编辑框12
page 框架选择夹 0
click 序号选择框
show 序号选择框
click 标签选择框1
show 列表框1
close
files
