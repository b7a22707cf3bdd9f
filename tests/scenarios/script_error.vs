# A Tag without a title is hidden, so a user cannot tick it: the run stops at line 4 with
# exit code 2, and line 5 never runs.
show 标签选择框1
click 标签选择框1
click 导出文档按钮
