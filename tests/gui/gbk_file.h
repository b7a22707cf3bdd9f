#pragma once

// Writes files as the program stores them: the window tests' Data folders hold GBK text.

#include <QFile>
#include <QString>
#include <QtTest>
#include <string>

#include "runtime/gbk_codec.h"

namespace velmora {

inline void WriteGbk(const QString& path, const QString& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  const std::string bytes = Utf8ToGbk(text.toStdString());
  QCOMPARE(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
           static_cast<qint64>(bytes.size()));
}

}  // namespace velmora
