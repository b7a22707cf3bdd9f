#include <zip.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/window_refresh.h"
#include "gbk_file.h"
#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "gui/gui_text.h"
#include "gui/input_box_dialog.h"
#include "gui/qt_dialogs.h"
#include "gui/tab_control.h"
#include "runtime/date_time.h"
#include "runtime/gbk_codec.h"
#include "time_difference_window.h"

namespace velmora {
namespace {

// Runs action once the next modal dialog or the time-difference window is up.
void WhenModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      QWidget* window = OpenTimeDifferenceWindow();
      if (window != nullptr && window->isEnabled()) modal = window;
    }
    if (modal == nullptr) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
}

// Answers the next count message boxes with OK, one after the other, noting their texts.
void ConfirmEach(int count, QStringList& texts) {
  if (count == 0) return;
  WhenModal([count, &texts](QWidget* box) {
    auto* message = static_cast<QMessageBox*>(box);
    texts.append(message->text());
    QTest::mouseClick(message->buttons().at(0), Qt::LeftButton);
    ConfirmEach(count - 1, texts);
  });
}

// The paragraphs of a .docx file, as the text of their runs.
QStringList DocumentParagraphs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.constData(), bytes.size(), 0, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  zip_error_fini(&error);
  if (archive == nullptr) {
    zip_source_free(source);
    return {};
  }
  QByteArray xml;
  if (zip_file_t* part = zip_fopen(archive, "word/document.xml", 0)) {
    char chunk[4096];
    for (zip_int64_t read; (read = zip_fread(part, chunk, sizeof chunk)) > 0;) {
      xml.append(chunk, static_cast<qsizetype>(read));
    }
    zip_fclose(part);
  }
  zip_discard(archive);
  QStringList paragraphs;
  const QRegularExpression paragraph(QStringLiteral("<w:p/>|<w:p>(.*?)</w:p>"));
  const QRegularExpression run(QStringLiteral("<w:t[^>]*>(.*?)</w:t>"));
  for (const auto& found : paragraph.globalMatch(QString::fromUtf8(xml))) {
    QString text;
    for (const auto& part : run.globalMatch(found.captured(1))) text += part.captured(1);
    paragraphs.append(text);
  }
  return paragraphs;
}

QString ReadGbk(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromStdString(GbkToUtf8(file.readAll().toStdString()));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    run_dir_ = std::make_unique<QTemporaryDir>();
    const QString data = run_dir_->path() + QStringLiteral("/Data");
    QDir().mkpath(data);
    WriteGbk(data + QStringLiteral("/config.ini"),
             QStringLiteral("[组合框]\r\n预设组合框=预设配置一<|>0<||>预设配置二<|>0<||>"
                            "预设配置三<|>0<||>0<|>预设配置一\r\n"));
    WriteGbk(data + QStringLiteral("/预设配置一.ini"),
             QStringLiteral("[选择框]\r\n标签选择框1=假\r\n标签选择框2=真\r\n[编辑框]\r\n"
                            "标签标题编辑框1=甲\r\n标签内容编辑框1=内容一\r\n"
                            "标签标题编辑框2=乙\r\n标签内容编辑框2=第一行><br><第二行\r\n"));
    finished_ = false;
    desktop_ = std::make_unique<DesktopProgram>(Utf8ToGbk(run_dir_->path().toStdString()), clock_,
                                                [this] { finished_ = true; });
    QVERIFY(QTest::qWaitForWindowExposed(desktop_->main_window()));
  }
  void cleanup() {
    desktop_.reset();
    run_dir_.reset();
  }

  // Coordinates stay exactly the layout's, also through a group box on a tab page.
  void GeometryFollowsTheLayout() {
    QWidget* window = desktop_->main_window();
    QCOMPARE(window->frameGeometry().size(), QSize(981, 621));
    QCOMPARE(Find<QWidget>("预设组合框")->geometry(), QRect(840, 90, 96, 20));
    QCOMPARE(Find<QWidget>("列表框1")->mapTo(window, QPoint(0, 0)), QPoint(8 + 12, 8 + 25));
    // 框架选择夹 (408, 8), 版块分组框1 (8, 40) on page 1, 标签选择框1 (16, 24) in it.
    QCOMPARE(Find<QWidget>("标签选择框1")->mapTo(window, QPoint(0, 0)),
             QPoint(408 + 8 + 16, 8 + 40 + 24));
    QCOMPARE(Find<QWidget>("标签选择框1")->size(), QSize(72, 24));
  }

  // Startup fills the windows before they show; the multi-line entry keeps its full text.
  void StartupStateShows() {
    QVERIFY(Find<QCheckBox>("标签选择框2")->isChecked());
    QCOMPARE(Find<QCheckBox>("标签选择框2")->text(), QStringLiteral("乙"));
    QVERIFY(!Find<QWidget>("标签选择框3")->isVisible());
    auto* list = Find<QListWidget>("列表框1");
    QCOMPARE(list->count(), 1);
    QVERIFY(!list->item(0)->text().contains(QLatin1Char('\n')));
    QCOMPARE(Model().ItemText(Ref("列表框1"), 0), Utf8ToGbk("第一行\r\n第二行"));
  }

  void HiddenTagStaysHiddenAcrossPages() {
    auto* tabs = Find<TabControl>("框架选择夹");
    QWidget* hidden = Find<QWidget>("标签选择框3");
    QWidget* shown = Find<QWidget>("标签选择框1");
    ClickTab(tabs, 1);
    QVERIFY(!shown->isVisible());
    QVERIFY(Find<QWidget>("版块编辑框1")->isVisible());
    ClickTab(tabs, 0);
    QVERIFY(shown->isVisible());
    QVERIFY(!hidden->isVisible());
  }

  // A page chosen while its tab control was still unseen is the one that comes up.
  void PageChosenBeforeItsTabControlShows() {
    Model().UserSelectPage(Ref("设置选择夹"), 3);
    ClickTab(Find<TabControl>("框架选择夹"), 1);
    QCOMPARE(Find<TabControl>("设置选择夹")->bar()->currentIndex(), 3);
    QVERIFY(Find<QWidget>("标签内容编辑框3")->isVisible());
    const auto* section_title =
        desktop_->main_window()->findChild<QWidget*>(QStringLiteral("版块编辑框1"));
    QVERIFY(section_title == nullptr || !section_title->isVisible());
  }

  void TagClickAddsItsContent() {
    auto* box = Find<QCheckBox>("标签选择框1");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
    QVERIFY(box->isChecked());
    QVERIFY(Model().Checked(Ref("标签选择框1")));
    QCOMPARE(Model().FindItem(Ref("列表框1"), Utf8ToGbk("内容一")), 1);
    QCOMPARE(Find<QListWidget>("列表框1")->count(), 2);
  }

  void TypedSectionTitleShowsOnItsFrame() {
    ClickTab(Find<TabControl>("框架选择夹"), 1);
    auto* edit = Find<QLineEdit>("版块编辑框1");
    edit->setFocus();
    QInputMethodEvent event(QString(), {});
    event.setCommitString(QStringLiteral("总则"));
    QApplication::sendEvent(edit, &event);
    // The frame stands on the page "材料": it shows the title when that page comes up again.
    ClickTab(Find<TabControl>("框架选择夹"), 0);
    QCOMPARE(Find<QGroupBox>("版块分组框1")->title(), QStringLiteral("总则"));
    QCOMPARE(Model().Text(Ref("版块编辑框1")), Utf8ToGbk("总则"));
  }

  // A one-line box shows a loaded text of any length, and an edit keeps all of it.
  void UserEditOfALongOneLineTextKeepsItWhole() {
    const std::string long_title(40000, 'a');
    Model().SetText(Ref("文档标题编辑框"), long_title);
    auto* edit = Find<QLineEdit>("文档标题编辑框");
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "x");
    QCOMPARE(Model().Text(Ref("文档标题编辑框")), long_title + "x");
  }

  // The Tag page comes up with what startup loaded and what was written while it was unseen.
  void UserEditOfMultiLineBoxKeepsCrLf() {
    Model().SetText(Ref("标签标题编辑框2"), Utf8ToGbk("新标题"));
    ClickTab(Find<TabControl>("框架选择夹"), 1);
    ClickTab(Find<TabControl>("设置选择夹"), 2);
    QCOMPARE(Find<QPlainTextEdit>("标签标题编辑框2")->toPlainText(), QStringLiteral("新标题"));
    auto* edit = Find<QPlainTextEdit>("标签内容编辑框2");
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->toPlainText(), QStringLiteral("第一行\n第二行"));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "x");
    QCOMPARE(Model().Text(Ref("标签内容编辑框2")), Utf8ToGbk("第一行\r\n第二行x"));
  }

  // Rows show the start of a long entry while the model keeps it whole; a refresh or a command
  // leaves the rows that did not change alone; rows stand one pixel taller than the style's own.
  void ListRowsShowTheStartOfLongEntries() {
    auto* list = Find<QListWidget>("列表框1");
    // A row that is taken away and made again loses this mark.
    list->item(0)->setData(Qt::UserRole, 42);
    const auto kept = [list] { return list->item(0)->data(Qt::UserRole).toInt() == 42; };
    const std::string long_entry = std::string(20000, 'a') + "\r\nb";
    Model().AddItem(Ref("列表框1"), long_entry);
    QCOMPARE(list->count(), 2);
    QVERIFY(kept());
    QCOMPARE(list->item(1)->text(), QString(kListEntryShownCharacters, QLatin1Char('a')));
    QCOMPARE(Model().ItemText(Ref("列表框1"), 1), long_entry);
    RefreshTags(desktop_->program().context());
    QCOMPARE(list->count(), 1);
    QVERIFY(kept());
    // ReadPreset clears the list and fills it again: the row shows the same all along.
    QTest::mouseClick(Find<QPushButton>("读取预设按钮"), Qt::LeftButton);
    QCOMPARE(list->count(), 1);
    QVERIFY(kept());
    QListWidget plain;
    plain.setFont(list->font());
    plain.addItem(QStringLiteral("x"));
    QCOMPARE(list->sizeHintForRow(0), plain.sizeHintForRow(0) + 1);
  }

  // However a command changes the entries, the widgets show the final state once it is over.
  void EntriesChangedByACommandShowTheirFinalState() {
    const ControlRef combo = Ref("预设组合框");
    const ControlRef list = Ref("列表框1");
    Model().SetHandler(HandlerId::kOpenFolder, [&](const EventContext&) {
      ComboState replaced;
      for (const char* name : {"x", "y", "z"}) replaced.Add(name);
      Model().SetCombo(combo, replaced);
      Model().DeleteItem(combo, 0);
      Model().AddItem(list, "a");
      Model().DeleteItem(list, 0);
      Model().SetItems(list, {"b", "a", "c"});
      Model().DeleteItem(list, 1);
    });
    QTest::mouseClick(Find<QPushButton>("打开目录按钮"), Qt::LeftButton);
    auto* box = Find<QComboBox>("预设组合框");
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->itemText(0), QStringLiteral("y"));
    QCOMPARE(box->itemText(1), QStringLiteral("z"));
    auto* rows = Find<QListWidget>("列表框1");
    QCOMPARE(rows->count(), 2);
    QCOMPARE(rows->item(0)->text(), QStringLiteral("b"));
    QCOMPARE(rows->item(1)->text(), QStringLiteral("c"));
  }

  // A tab in an entry moves the rest on to the next tab stop, eight average characters on.
  void ListEntriesHaveTabStops() {
    auto* list = Find<QListWidget>("列表框1");
    Model().ClearItems(Ref("列表框1"));
    Model().AddItem(Ref("列表框1"), "X");
    Model().AddItem(Ref("列表框1"), "\tX");
    QApplication::processEvents();  // the rows are laid out
    const QImage image = list->viewport()->grab().toImage();
    const auto first_ink = [&](int row) {
      const QRect rect = list->visualItemRect(list->item(row));
      for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
          if (qGray(image.pixel(x, y)) < 128) return x;
        }
      }
      return -1;
    };
    QVERIFY(first_ink(0) >= 0);
    QCOMPARE(first_ink(1) - first_ink(0), 8 * QFontMetrics(list->font()).averageCharWidth());
  }

  void PresetListDropsDownAtLeast160Pixels() {
    auto* combo = Find<QComboBox>("预设组合框");
    combo->showPopup();
    QWidget* popup = combo->view()->window();
    QVERIFY(popup->isVisible());
    QVERIFY2(popup->height() >= 160, qPrintable(QString::number(popup->height())));
    combo->hidePopup();
  }

  // Real clicks on the export and save buttons, right after typing into a Tag's content: the
  // files on disk hold what the window shows.
  void ExportAndSaveButtonsWriteTheirFiles() {
    auto* tag = Find<QCheckBox>("标签选择框1");
    QTest::mouseClick(tag, Qt::LeftButton, {}, QPoint(tag->width() - 3, tag->height() / 2));
    ClickTab(Find<TabControl>("框架选择夹"), 1);
    ClickTab(Find<TabControl>("设置选择夹"), 1);
    auto* content = Find<QPlainTextEdit>("标签内容编辑框1");
    content->setFocus();
    content->moveCursor(QTextCursor::End);
    QTest::keyClicks(content, "x");

    QStringList texts;
    ConfirmEach(2, texts);
    QTest::mouseClick(Find<QPushButton>("导出文档按钮"), Qt::LeftButton);
    QCOMPARE(texts, QStringList({QStringLiteral("是否需要导出Word文档？"),
                                 QStringLiteral("恭喜您！文档导出完成！")}));
    // The list took Tag 1's content at the tick, before the typing.
    QCOMPARE(DocumentParagraphs(run_dir_->path() + QStringLiteral("/清单.docx")),
             QStringList({QStringLiteral("清单"), QString(), QStringLiteral("1.第一行"),
                          QStringLiteral("第二行"), QStringLiteral("2.内容一")}));

    texts.clear();
    ConfirmEach(2, texts);
    QTest::mouseClick(Find<QPushButton>("保存设置按钮"), Qt::LeftButton);
    QCOMPARE(texts, QStringList({QStringLiteral("点确定保存现有配置。"),
                                 QStringLiteral("预设配置保存成功！")}));
    const QStringList lines = ReadGbk(run_dir_->path() + QStringLiteral("/Data/预设配置一.ini"))
                                  .split(QStringLiteral("\r\n"));
    for (const char* key : {"标签选择框1=真", "标签选择框2=真", "标签标题编辑框1=甲",
                            "标签内容编辑框1=内容一x", "标签内容编辑框2=第一行><br><第二行"}) {
      QVERIFY2(lines.contains(QString::fromUtf8(key)), key);
    }
    // The refresh after the save took the typed content into the list, in control order.
    QCOMPARE(Model().ItemText(Ref("列表框1"), 0), Utf8ToGbk("内容一x"));
  }

  void TimeDifferenceWindowComputesAndCloses() {
    QString result;
    bool main_disabled = false;
    bool main_stayed = false;
    WhenModal([&](QWidget* window) {
      main_disabled = !desktop_->main_window()->isEnabled();
      // The main window behind the open time-difference window cannot be closed.
      desktop_->main_window()->close();
      main_stayed = !desktop_->program().Finished() && desktop_->main_window()->isVisible();
      window->findChild<QDateEdit*>(QStringLiteral("时差日期框1"))->setDate(QDate(2023, 1, 31));
      window->findChild<QDateEdit*>(QStringLiteral("时差日期框2"))->setDate(QDate(2023, 2, 1));
      QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("时差计算按钮")),
                        Qt::LeftButton);
      result = window->findChild<QLineEdit*>(QStringLiteral("时差结果编辑框"))->text();
      window->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/time_difference.png"));
      window->close();
    });
    QDir().mkpath(QStringLiteral(VELMORA_SCREENSHOT_DIR));
    QTest::mouseClick(Find<QPushButton>("时差计算按钮"), Qt::LeftButton);
    QVERIFY(main_disabled);
    QVERIFY(main_stayed);
    QCOMPARE(result, QStringLiteral("1"));
    QVERIFY(desktop_->main_window()->isEnabled());
  }

  void ClosingTheMainWindowEndsWithZeroAndWritesNothing() {
    const QStringList before = QDir(run_dir_->path() + QStringLiteral("/Data")).entryList();
    desktop_->main_window()->close();
    QVERIFY(desktop_->program().Finished());
    QVERIFY(finished_);  // the program then ends with exit code 0
    QCOMPARE(QDir(run_dir_->path() + QStringLiteral("/Data")).entryList(), before);
  }

  void Screenshots() {
    QDir().mkpath(QStringLiteral(VELMORA_SCREENSHOT_DIR));
    QWidget* window = desktop_->main_window();
    QVERIFY(window->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/main_materials.png")));
    ClickTab(Find<TabControl>("框架选择夹"), 1);
    QVERIFY(window->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/main_settings.png")));
    ClickTab(Find<TabControl>("设置选择夹"), 2);
    QVERIFY(window->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/main_settings_tag2.png")));
    // Every Tag titled, so that all 39 check boxes stand on the first page.
    for (int tag = 1; tag <= 39; ++tag) {
      Model().SetText(Ref(QStringLiteral("标签标题编辑框%1").arg(tag).toUtf8().constData()),
                      Utf8ToGbk(QStringLiteral("条目%1").arg(tag).toStdString()));
    }
    RefreshTags(desktop_->program().context());
    ClickTab(Find<TabControl>("框架选择夹"), 0);
    QVERIFY(window->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/main_all_tags.png")));
  }

  void MessageBoxAnswers() {
    QtDialogs dialogs;
    WhenModal([](QWidget* box) {
      QTest::mouseClick(static_cast<QMessageBox*>(box)->buttons().at(0), Qt::LeftButton);
    });
    QCOMPARE(dialogs.MessageBox(Utf8ToGbk("是否清空？"), kMessageOkCancel, "t"), kResultOk);
    WhenModal([](QWidget* box) {
      for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons()) {
        if (b->text() == QStringLiteral("取消")) QTest::mouseClick(b, Qt::LeftButton);
      }
    });
    QCOMPARE(dialogs.MessageBox("x", kMessageOkCancel, "t"), kResultCancel);
    WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(dialogs.MessageBox("x", kMessageOkCancel, "t"), kResultCancel);
    WhenModal([](QWidget* box) { box->close(); });
    QCOMPARE(dialogs.MessageBox("x", kMessageOkCancel, "t"), kResultCancel);
  }

  void InputBoxConfirmedAndCancelled() {
    QtDialogs dialogs;
    std::string text;
    WhenModal([](QWidget* box) {
      QCOMPARE(box->windowTitle(), QStringLiteral("请输入："));
      auto* edit = box->findChild<QLineEdit*>(QStringLiteral("输入文本框"));
      QInputMethodEvent event(QString(), {});
      event.setCommitString(QStringLiteral("新预设"));
      QApplication::sendEvent(edit, &event);
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(dialogs.InputBox("p", "", text));
    QCOMPARE(text, Utf8ToGbk("新预设"));
    std::string untouched;
    WhenModal([](QWidget* box) {
      QTest::keyClicks(box->findChild<QLineEdit*>(QStringLiteral("输入文本框")), "abc");
      QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("取消按钮")), Qt::LeftButton);
    });
    QVERIFY(!dialogs.InputBox("p", "t", untouched));
    QVERIFY(untouched.empty());
    WhenModal([](QWidget* box) {
      QTest::keyClicks(box->findChild<QLineEdit*>(QStringLiteral("输入文本框")), "abc");
      QTest::keyClick(box->findChild<QLineEdit*>(QStringLiteral("输入文本框")), Qt::Key_Escape);
    });
    QVERIFY(!dialogs.InputBox("p", "t", untouched));
    QVERIFY(untouched.empty());
    // Confirmed without typing: true and an empty text; the caller refuses empty names itself.
    std::string empty = "stale";
    WhenModal([](QWidget* box) {
      QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("确认输入按钮")),
                        Qt::LeftButton);
    });
    QVERIFY(dialogs.InputBox("p", "t", empty));
    QVERIFY(empty.empty());
  }

 private:
  template <typename T>
  T* Find(const char* name) {
    T* widget = desktop_->main_window()->findChild<T*>(QString::fromUtf8(name));
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }
  ControlModel& Model() { return desktop_->model(); }
  ControlRef Ref(const char* name) {
    return Model().Find(desktop_->program().main_window(), Utf8ToGbk(name));
  }
  static void ClickTab(TabControl* tabs, int page) {
    QTest::mouseClick(tabs->bar(), Qt::LeftButton, {}, tabs->bar()->tabRect(page).center());
  }

  FixedClock clock_{45306.4375};
  std::unique_ptr<QTemporaryDir> run_dir_;
  std::unique_ptr<DesktopProgram> desktop_;
  bool finished_ = false;
};

}  // namespace velmora

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  velmora::MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
