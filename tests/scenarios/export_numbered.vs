# Ticked Tags in click order, exported with numbers under the loaded title "周报".
click 标签选择框3
click 标签选择框1
click 标签选择框2
show 列表框1 序号选择框
click 导出文档按钮
answer ok
answer ok
files
cat 周报.docx
