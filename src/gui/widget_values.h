#pragma once

#include <QDateTime>
#include <QStringList>
#include <QWidget>
#include <string_view>

#include "runtime/date_time.h"

class QListWidget;

namespace velmora {

// The model's values put onto widgets, whichever kind of widget shows them.

// A caption: of a group box, button, check box or label, or the title of a window.
void ShowCaption(QWidget* widget, std::string_view gbk);
// The text of a line or multi-line edit box; unchanged when it already shows it.
void ShowEditText(QWidget* widget, std::string_view gbk);
// A list or combo box entry as its row shows it.
QString RowText(const QWidget* widget, std::string_view gbk);
// The rows of a list brought in line with `shown` where they differ; rows of the same text
// stay as they are.
void SyncListRows(QListWidget* list, const QStringList& shown);
QDateTime ToQtDateTime(DateTime value);

}  // namespace velmora
