# Numbering switched off; the empty title falls back to "清单".
click 序号选择框
show 序号选择框
click 标签选择框1
click 标签选择框2
type 文档标题编辑框 ""
click 导出文档按钮
answer ok
answer ok
files
cat 清单.docx
