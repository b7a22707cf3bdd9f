# Each click asks the shell to show the run directory.
click 打开目录按钮
click 打开目录按钮
