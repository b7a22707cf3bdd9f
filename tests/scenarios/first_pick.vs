# On a first start the Data folder is made and stays empty until the user picks a Preset:
# the pick writes config.ini into it and loads nothing.
files
pick 预设组合框 2
show 预设组合框 标签选择框1 列表框1
files
cat Data/config.ini
close
files
