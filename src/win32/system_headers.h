#pragma once

// windows.h for the files of this folder. Its MessageBox macro would rename the model's
// Dialogs::MessageBox wherever both are seen: the wide call is named as MessageBoxW.

#include <windows.h>

#undef MessageBox
