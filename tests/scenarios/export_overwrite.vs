# An earlier document of the same name is replaced only after the user agrees.
click 标签选择框1
click 导出文档按钮
answer ok
answer ok
click 标签选择框2
click 导出文档按钮
answer ok
answer cancel
cat 周报.docx
click 导出文档按钮
answer ok
answer ok
answer ok
cat 周报.docx
files
