# A folder stands where the document should go: the export reports the failure, not success,
# and leaves the folder as it was.
click 标签选择框1
click 导出文档按钮
answer ok
answer ok
answer ok
files
