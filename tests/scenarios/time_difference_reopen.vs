# The window is made afresh on every opening: empty result, both dates on the current time.
click 时差计算按钮
date 时差日期框1 2020-06-30
click 时差计算按钮
show 时差结果编辑框
close
click 时差计算按钮
show 时差日期框1 时差日期框2 时差结果编辑框
click 时差计算按钮
show 时差结果编辑框
close
close
