# Cancel at the confirmation writes nothing.
click 标签选择框1
click 导出文档按钮
answer cancel
files
