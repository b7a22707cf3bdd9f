# Velmora without a display: a few Tags filled on the settings pages, saved into the Preset
# "预设配置一", ticked on the main page, and exported as a numbered document "演示文档.docx".
page 框架选择夹 1
page 设置选择夹 0
type 版块编辑框1 "开场"
type 版块编辑框2 "正文"
page 设置选择夹 1
type 标签标题编辑框1 "问候"
type 标签内容编辑框1 "各位好，下面是本周的工作安排。"
page 设置选择夹 2
type 标签标题编辑框2 "会议"
type 标签内容编辑框2 "周一上午十点召开例会。\r\n请提前准备周报。"
page 设置选择夹 3
type 标签标题编辑框3 "结尾"
type 标签内容编辑框3 "如有问题，请随时联系。"
page 框架选择夹 0
click 保存设置按钮
answer ok
answer ok
click 标签选择框1
click 标签选择框2
click 标签选择框3
type 文档标题编辑框 "演示文档"
show 列表框1 序号选择框
click 导出文档按钮
answer ok
answer ok
files
cat 演示文档.docx
