# Calendar months between two dates; the order does not matter, the day plays no part.
click 时差计算按钮
dump
date 时差日期框1 2023-01-31
date 时差日期框2 2023-02-01
click 时差计算按钮
show 时差结果编辑框
date 时差日期框1 2023-01-01
date 时差日期框2 2023-01-31
click 时差计算按钮
show 时差结果编辑框
date 时差日期框1 2023-05-01
date 时差日期框2 2022-03-15
show 时差结果编辑框
click 时差计算按钮
show 时差结果编辑框
date 时差日期框1 2023-03-15 23:59:59
date 时差日期框2 2023-03-15 00:00:00
click 时差计算按钮
show 时差结果编辑框
date 时差日期框1 2020-06-30
date 时差日期框2 2023-06-01
click 时差计算按钮
show 时差日期框1 时差日期框2 时差结果编辑框
close
files
