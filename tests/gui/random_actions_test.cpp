// Long runs of seeded random user actions on the real windows: clicks on whatever is on screen
// and enabled, typing into edit boxes, combo and date keys, tab clicks, Escape, closing windows,
// and answers to every message box and input box that comes up. Nothing may crash (the suite
// also runs under the sanitizers), every end of the program must give exit code 0, and the
// program must start again on whatever files the run left behind.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "gbk_file.h"
#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "runtime/clock.h"
#include "runtime/gbk_codec.h"
#include "time_difference_window.h"

namespace velmora {
namespace {

class RandomUser {
 public:
  RandomUser(const QString& run_dir, unsigned seed) : run_dir_(run_dir), random_(seed) {}

  // Runs the program through the given number of actions, then answers and closes what is
  // still open: leaving from inside a dialog's loop would keep the loops opened later running.
  void Run(int actions) {
    Start();
    QEventLoop done;
    std::function<void()> step = [&] {
      if (performed_ >= actions && !DialogOpen()) {
        done.quit();
        return;
      }
      // A fresh timer for every action: the one that ran the previous action may still be
      // inside a dialog's own loop, and Qt does not fire a running timer again.
      QTimer::singleShot(0, step);
      if (performed_ >= actions) {
        CloseOneDialog();
        return;
      }
      ++performed_;
      if (finished_) {
        finished_ = false;
        ++restarts_;
        Start();
      } else {
        Act();
      }
    };
    QTimer::singleShot(0, step);
    done.exec();
    desktop_.reset();
  }

  int performed() const { return performed_; }
  int restarts() const { return restarts_; }

 private:
  void Start() {
    desktop_.reset();
    desktop_ = std::make_unique<DesktopProgram>(Utf8ToGbk(run_dir_.toStdString()), clock_,
                                                [this] { finished_ = true; });
  }

  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<unsigned>(n)); }

  // Dialogs first, as a user must answer them; otherwise any window that takes input.
  QWidget* Target() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    std::vector<QWidget*> windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->isVisible() && top->isEnabled()) windows.push_back(top);
    }
    if (windows.empty()) return nullptr;
    return windows[static_cast<std::size_t>(Below(static_cast<int>(windows.size())))];
  }

  static bool DialogOpen() {
    return QApplication::activeModalWidget() != nullptr || OpenTimeDifferenceWindow() != nullptr;
  }

  static void CloseOneDialog() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      QTest::keyClick(modal, Qt::Key_Escape);
    } else if (QWidget* window = OpenTimeDifferenceWindow()) {
      window->close();
    }
  }

  void Type(QWidget* widget) {
    static const std::array<const char*, 10> kTexts = {"a",   "周报",   "a b",   "CON", "x.",
                                                       "<|>", "\"引\"", "#引号", "..",  "><br><"};
    widget->setFocus();
    if (Below(3) == 0) QTest::keyClick(widget, Qt::Key_Backspace);
    // Chinese text arrives as an input method's commit, as typing it does.
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8(
        kTexts[static_cast<std::size_t>(Below(static_cast<int>(kTexts.size())))]));
    QApplication::sendEvent(widget, &event);
    if (Below(4) == 0) QTest::keyClick(widget, Qt::Key_Return);
  }

  void Act() {
    QWidget* top = Target();
    if (top == nullptr) return;
    if (Below(60) == 0 && QApplication::activeModalWidget() == nullptr) {
      top->close();
      return;
    }
    if (Below(25) == 0) {
      QTest::keyClick(top, Qt::Key_Escape);
      return;
    }
    std::vector<QWidget*> usable;
    for (QWidget* widget : top->findChildren<QWidget*>()) {
      // The open-folder button would start the desktop's file manager.
      if (widget->isVisible() && widget->isEnabled() &&
          widget->objectName() != QStringLiteral("打开目录按钮")) {
        usable.push_back(widget);
      }
    }
    if (usable.empty()) return;
    QWidget* widget = usable[static_cast<std::size_t>(Below(static_cast<int>(usable.size())))];
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      Type(line);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
      Type(edit->viewport());
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      combo->setFocus();
      QTest::keyClick(combo, Below(2) == 0 ? Qt::Key_Down : Qt::Key_Up);
    } else if (auto* date = qobject_cast<QDateEdit*>(widget)) {
      date->setFocus();
      QTest::keyClick(date, Below(2) == 0 ? Qt::Key_Down : Qt::Key_Up);
    } else if (auto* bar = qobject_cast<QTabBar*>(widget)) {
      if (bar->count() > 0) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(Below(bar->count())).center());
      }
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
      if (list->count() > 0) {
        const QRect item = list->visualItemRect(list->item(Below(list->count())));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
      }
    } else if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
      QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
  }

  QString run_dir_;
  std::mt19937 random_;
  FixedClock clock_{46037.4375};
  std::unique_ptr<DesktopProgram> desktop_;
  int performed_ = 0;
  int restarts_ = 0;
  bool finished_ = false;
};

}  // namespace

class RandomActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void FromFirstStart() { RunFrom(false, 11); }
  void FromHandWrittenPresets() { RunFrom(true, 12); }

 private:
  void RunFrom(bool presets, unsigned seed) {
    QTemporaryDir run_dir;
    const QString data = run_dir.path() + QStringLiteral("/Data");
    QDir().mkpath(data);
    if (presets) {
      WriteGbk(data + QStringLiteral("/config.ini"),
               QStringLiteral(
                   "[组合框]\r\n预设组合框=日常<|>0<||>周报<|>0<||>缺文件<|>0<||>1<|>周报\r\n"));
      WriteGbk(
          data + QStringLiteral("/日常.ini"),
          QStringLiteral("[编辑框]\n 文档标题编辑框 = \"清单\" \n标签标题编辑框1=甲\n"
                         "标签内容编辑框1=一><br><二\n[选择框]\n标签选择框1=1\n序号选择框=否\n"));
      WriteGbk(data + QStringLiteral("/周报.ini"),
               QStringLiteral("[选择框]\r\n标签选择框2=真\r\n[编辑框]\r\n标签标题编辑框2=乙\r\n"
                              "标签内容编辑框2=#引号内容#引号\r\n版块编辑框1=版块\r\n"));
    }
    RandomUser user(run_dir.path(), seed);
    user.Run(4000);
    QCOMPARE(user.performed(), 4000);
    // Whatever the actions left in the Data folder, the program comes up on it again.
    const FixedClock clock(46037.4375);
    DesktopProgram again(Utf8ToGbk(run_dir.path().toStdString()), clock);
    QVERIFY(again.main_window() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(again.main_window()));
    qInfo("restarts: %d", user.restarts());
  }
};

}  // namespace velmora

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  velmora::RandomActionsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "random_actions_test.moc"
