# Titles that cannot be file names, or name a device on Windows, are refused before anything
# is written; a title with blanks and dots, inside it or at its end, is used unchanged.
click 标签选择框1
type 文档标题编辑框 "上/下"
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "..\\周报"
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "a:b*c?\"d\" <e>|f"
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "第\t1"
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "nul"
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "Com1.周报"
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "周报."
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "周报 "
click 导出文档按钮
answer ok
answer ok
type 文档标题编辑框 "周 报 v1.2"
click 导出文档按钮
answer ok
answer ok
files
cat "周 报 v1.2.docx"
cat "周报..docx"
