# First start in an empty run directory: the Data folder is made, nothing is written, the
# window shows its layout values. Closing the main window saves nothing and ends with 0.
files
show 文档标题编辑框 序号选择框 预设组合框 列表框1 框架选择夹
show 标签选择框1 标签选择框39 版块分组框1 版块分组框2 版块分组框3
close
files
