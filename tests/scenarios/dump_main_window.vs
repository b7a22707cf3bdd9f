# Every control of the main window after a start that loads the selected Preset.
dump
