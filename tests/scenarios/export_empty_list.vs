# Nothing ticked: the document holds the title and one line break, numbered or not.
click 导出文档按钮
answer ok
answer ok
cat 清单.docx
click 序号选择框
type 文档标题编辑框 "无序"
click 导出文档按钮
answer ok
answer ok
cat 无序.docx
