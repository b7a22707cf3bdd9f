#include "ui/control_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "exit_code.h"
#include "runtime/fatal_error.h"
#include "ui/control_query.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr DateTime kNow = 46037.4375;  // 2026-01-15 10:30:00

class RecordingObserver : public ModelObserver {
 public:
  explicit RecordingObserver(std::vector<std::string>& log) : log_(log) {}
  void WindowCreated(WindowId window) override { log_.push_back("created " + Id(window)); }
  void WindowShown(WindowId window) override { log_.push_back("shown " + Id(window)); }
  void WindowClosed(WindowId window) override { log_.push_back("closed " + Id(window)); }
  void PropertyChanged(const ControlRef& control, Property property) override {
    log_.push_back("property " + std::to_string(control.control) + " " +
                   std::to_string(static_cast<int>(property)));
  }
  void VisualStyleChanged(int style_number) override {
    log_.push_back("style " + std::to_string(style_number));
  }

 private:
  static std::string Id(WindowId window) { return std::to_string(window); }
  std::vector<std::string>& log_;
};

class ScriptedModalHost : public ModalHost {
 public:
  std::function<void(WindowId)> run;
  void RunModal(WindowId window) override {
    if (run) {
      run(window);
    }
  }
};

// Prints the report so that a death test can match it.
class StderrSink : public FatalErrorSink {
 public:
  void ShowFatalReport(std::string_view body) override {
    std::fprintf(stderr, "[report]%.*s[end]", static_cast<int>(body.size()), body.data());
  }
};

class ControlModelTest : public ::testing::Test {
 protected:
  ControlModelTest() : observer_(log_) {
    model_.SetObserver(&observer_);
    model_.SetModalHost(&host_);
  }

  WindowId LoadMain() {
    main_ = model_.LoadWindow(WindowKind::kMain, false);
    return main_;
  }
  ControlRef Main(std::string_view name) const { return model_.Find(main_, name); }
  std::vector<std::string> Names(const std::vector<ControlRef>& list) const {
    std::vector<std::string> names;
    for (const ControlRef& control : list) {
      names.push_back(model_.Name(control));
    }
    return names;
  }
  void Count(HandlerId id) {
    model_.SetHandler(id, [this, id](const EventContext& event) {
      log_.push_back("handler " + std::to_string(static_cast<int>(id)) + " " +
                     std::to_string(event.argument));
    });
  }
  std::string HandlerLine(HandlerId id, int argument) const {
    return "handler " + std::to_string(static_cast<int>(id)) + " " + std::to_string(argument);
  }
  int Occurrences(const std::string& line) const {
    return static_cast<int>(std::count(log_.begin(), log_.end(), line));
  }

  FixedClock clock_{kNow};
  ControlModel model_{clock_};
  std::vector<std::string> log_;
  RecordingObserver observer_;
  ScriptedModalHost host_;
  WindowId main_ = 0;
};

// ---- FindControls ----

TEST_F(ControlModelTest, FindsTagCheckBoxesByPrefixAndTypeInControlOrder) {
  LoadMain();
  const auto found = model_.FindControls(model_.WindowRef(main_), "标签", "选择框");
  const auto names = Names(found);
  ASSERT_EQ(names.size(), 39u);
  EXPECT_EQ(names[0], "标签选择框11");
  EXPECT_EQ(names[1], "标签选择框21");
  EXPECT_EQ(names[2], "标签选择框22");
  EXPECT_EQ(names[3], "标签选择框12");
  EXPECT_EQ(names.back(), "标签选择框10");
  EXPECT_EQ(std::count(names.begin(), names.end(), "序号选择框"), 0);
  for (const ControlRef& control : found) {
    EXPECT_EQ(control.type, ControlType::kCheckBox);
    EXPECT_EQ(control.window, main_);
  }
}

TEST_F(ControlModelTest, PrefixWithoutTypeTakesEveryTypeButNotLabelsNamedOtherwise) {
  LoadMain();
  const auto found = model_.FindControls(model_.WindowRef(main_), "标签");
  // 39 check boxes plus four settings controls per Tag.
  ASSERT_EQ(found.size(), 39u + 4u * 39u);
  for (std::size_t i = 1; i < found.size(); ++i) {
    EXPECT_LT(found[i - 1].control, found[i].control) << "control order";
  }
  const auto names = Names(found);
  for (const char* name :
       {"标签标题编辑框7", "标签内容编辑框39", "标签1分组框", "标签12内容分组框"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
  }
  for (const char* name : {"文档标题标签", "版块1标签"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
  }
  // Without any pattern every control of the window comes back.
  EXPECT_EQ(model_.FindControls(model_.WindowRef(main_)).size(), 229u);
}

TEST_F(ControlModelTest, AtSignAsksForTheExactName) {
  LoadMain();
  const ControlRef window = model_.WindowRef(main_);
  EXPECT_THAT(Names(model_.FindControls(window, "@标签选择框1")), ElementsAre("标签选择框1"));
  EXPECT_THAT(Names(model_.FindControls(window, "@标签选择框1", "选择框")),
              ElementsAre("标签选择框1"));
  EXPECT_TRUE(model_.FindControls(window, "@标签选择框1", "编辑框").empty());
  EXPECT_TRUE(model_.FindControls(window, "@标签选择框").empty());
  EXPECT_TRUE(model_.FindControls(window, "@").empty());
}

TEST_F(ControlModelTest, OnlyALoadedWindowReferenceFindsAnything) {
  LoadMain();
  EXPECT_TRUE(model_.FindControls(Main("分组框2")).empty());
  EXPECT_TRUE(model_.FindControls(ControlRef{}).empty());
  ControlRef not_a_window = model_.WindowRef(main_);
  not_a_window.type = ControlType::kGroupBox;
  EXPECT_TRUE(model_.FindControls(not_a_window).empty());

  const WindowId second = model_.LoadWindow(WindowKind::kTimeDifference, false);
  EXPECT_EQ(model_.FindControls(model_.WindowRef(second)).size(), 8u);
  model_.UserClose(second);
  EXPECT_TRUE(model_.FindControls(model_.WindowRef(second)).empty());
  EXPECT_EQ(model_.Find(second, "时差计算按钮"), ControlRef{});
}

// ---- loading ----

TEST_F(ControlModelTest, CreatedRunsWithAllControlsBeforeTheWindowShows) {
  model_.SetHandler(HandlerId::kStartupRoutine, [this](const EventContext& event) {
    // Before the load has handed out the identifier, the event names the window.
    const WindowId window = event.window;
    EXPECT_EQ(window, model_.ActiveWindow());
    log_.push_back("startup");
    model_.SetText(model_.Find(window, "标签标题编辑框39"), "x");
  });
  LoadMain();
  ASSERT_GE(log_.size(), 3u);
  EXPECT_EQ(log_.front(), "created 1");
  EXPECT_EQ(log_[1], "startup");
  EXPECT_EQ(log_.back(), "shown 1");
  EXPECT_EQ(model_.Text(Main("标签标题编辑框39")), "x");
}

TEST_F(ControlModelTest, ControlsStartWithTheirLayoutValues) {
  LoadMain();
  EXPECT_TRUE(model_.Checked(Main("序号选择框")));
  EXPECT_FALSE(model_.Checked(Main("标签选择框5")));
  EXPECT_EQ(model_.Caption(Main("标签选择框5")), "标签5");
  EXPECT_EQ(model_.Text(Main("文档标题编辑框")), "清单");
  EXPECT_EQ(model_.ItemCount(Main("预设组合框")), 3);
  EXPECT_EQ(model_.Text(Main("预设组合框")), "预设配置一");
  EXPECT_EQ(model_.Selection(Main("列表框1")), -1);
  EXPECT_EQ(model_.Page(Main("设置选择夹")), 0);
  EXPECT_FALSE(model_.Visible(Main("Word程序")));

  const WindowId second = model_.LoadWindow(WindowKind::kTimeDifference, false);
  EXPECT_EQ(model_.Date(model_.Find(second, "时差日期框2")), kNow);
  EXPECT_FALSE(model_.Enabled(model_.Find(second, "时差结果编辑框")));
  EXPECT_FALSE(model_.OnScreen(model_.Find(second, "时差结果编辑框")));
  EXPECT_TRUE(model_.OnScreen(model_.Find(second, "时差计算按钮")));
}

// The first local time of a process looks up the time zone: the main window, which has no date
// box, must not wait for it.
TEST(ControlModelClockTest, OnlyAWindowWithADateBoxReadsTheClock) {
  class CountingClock final : public Clock {
   public:
    DateTime Now() const override {
      ++reads;
      return kNow;
    }
    mutable int reads = 0;
  } clock;
  ControlModel model(clock);
  model.LoadWindow(WindowKind::kMain, false);
  EXPECT_EQ(clock.reads, 0);
  const WindowId second = model.LoadWindow(WindowKind::kTimeDifference, false);
  EXPECT_EQ(clock.reads, 1);
  EXPECT_EQ(model.Date(model.Find(second, "时差日期框1")), kNow);
  EXPECT_EQ(model.Date(model.Find(second, "时差日期框2")), kNow);
}

// ---- writes and their events ----

TEST_F(ControlModelTest, EditBoxWriteRaisesContentChangedOnceNestedEvenForTheSameText) {
  LoadMain();
  const ControlRef box = Main("版块编辑框2");
  std::vector<std::string> seen;
  model_.SetHandler(HandlerId::kSectionTitleChanged, [&](const EventContext& event) {
    const int section = event.argument;
    seen.push_back(std::to_string(section) + ":" + model_.Text(box));
  });
  model_.SetText(box, "版块二");
  EXPECT_THAT(seen, ElementsAre("2:版块二"));
  model_.SetText(box, "版块二");
  EXPECT_THAT(seen, ElementsAre("2:版块二", "2:版块二"));
  model_.UserReplaceText(box, "新");
  EXPECT_THAT(seen, ElementsAre("2:版块二", "2:版块二", "2:新"));
}

TEST_F(ControlModelTest, TickAndComboSelectionWritesRaiseNothing) {
  LoadMain();
  Count(HandlerId::kTagClicked);
  Count(HandlerId::kPickPreset);
  const ControlRef tag = Main("标签选择框12");
  model_.SetChecked(tag, true);
  model_.SetSelection(Main("预设组合框"), 2);
  EXPECT_TRUE(model_.Checked(tag));
  EXPECT_EQ(Occurrences(HandlerLine(HandlerId::kTagClicked, 12)), 0);
  EXPECT_EQ(Occurrences(HandlerLine(HandlerId::kPickPreset, 0)), 0);
  // The view still hears of both writes.
  EXPECT_EQ(Occurrences("property " + std::to_string(tag.control) + " " +
                        std::to_string(static_cast<int>(Property::kChecked))),
            1);
}

TEST_F(ControlModelTest, ComboTextWriteIsStoredOnlyAndSelectionClamps) {
  LoadMain();
  const ControlRef combo = Main("预设组合框");
  model_.SetText(combo, "别的");
  EXPECT_EQ(model_.Text(combo), "预设配置一");
  model_.SetSelection(combo, 99);
  EXPECT_EQ(model_.Selection(combo), 2);
  EXPECT_EQ(model_.Text(combo), "预设配置三");
  model_.SetSelection(combo, -5);
  EXPECT_EQ(model_.Selection(combo), -1);
  EXPECT_EQ(model_.Text(combo), "");
}

TEST_F(ControlModelTest, UserActionsChangeStateBeforeTheirHandlersRun) {
  LoadMain();
  const ControlRef tag = Main("标签选择框12");
  const ControlRef combo = Main("预设组合框");
  std::vector<std::string> seen;
  model_.SetHandler(HandlerId::kTagClicked, [&](const EventContext& event) {
    const int tag_number = event.argument;
    seen.push_back("tag " + std::to_string(tag_number) + " " + std::to_string(model_.Checked(tag)));
  });
  model_.SetHandler(HandlerId::kPickPreset, [&](const EventContext&) {
    seen.push_back("pick " + std::to_string(model_.Selection(combo)));
  });
  model_.SetHandler(HandlerId::kExportDocument,
                    [&](const EventContext&) { seen.push_back("export"); });
  model_.UserToggle(tag);
  model_.UserToggle(tag);
  model_.UserPickEntry(combo, 1);
  model_.UserPickEntry(combo, 7);  // no such entry: nothing happens
  model_.UserClick(Main("导出文档按钮"));
  model_.UserClick(Main("打开目录按钮"));  // unbound
  EXPECT_THAT(seen, ElementsAre("tag 12 1", "tag 12 0", "pick 1", "export"));
}

TEST_F(ControlModelTest, ListOperations) {
  LoadMain();
  const ControlRef list = Main("列表框1");
  EXPECT_EQ(model_.AddItem(list, "a"), 0);
  EXPECT_EQ(model_.AddItem(list, "b\r\nc", 7), 1);
  EXPECT_EQ(model_.AddItem(list, "a"), 2);
  EXPECT_EQ(model_.FindItem(list, "a"), 0);
  EXPECT_EQ(model_.FindItem(list, "b"), -1);
  EXPECT_EQ(model_.ItemValue(list, 1), 7);
  model_.UserSelectListItem(list, 5);
  EXPECT_EQ(model_.Selection(list), -1);
  model_.UserSelectListItem(list, 2);
  EXPECT_EQ(model_.Selection(list), 2);
  EXPECT_FALSE(model_.DeleteItem(list, 3));
  EXPECT_FALSE(model_.DeleteItem(list, -1));
  EXPECT_TRUE(model_.DeleteItem(list, 0));
  EXPECT_EQ(model_.ItemText(list, 0), "b\r\nc");
  model_.ClearItems(list);
  EXPECT_EQ(model_.ItemCount(list), 0);
  // Item operations on a control without entries do nothing.
  EXPECT_EQ(model_.AddItem(Main("导出文档按钮"), "x"), -1);
}

// A refresh that sets the whole list reports only the entries between the unchanged front and
// back, and leaves the list as clearing and adding each entry would.
TEST_F(ControlModelTest, SetItemsReportsTheOneRunThatDiffers) {
  struct ChangeLog : ModelObserver {
    void WindowCreated(WindowId) override {}
    void WindowShown(WindowId) override {}
    void WindowClosed(WindowId) override {}
    void PropertyChanged(const ControlRef&, Property) override {}
    void VisualStyleChanged(int) override {}
    void ItemsChanged(const ControlRef&, const ItemChange& change) override {
      changes.push_back(std::to_string(change.first) + " -" + std::to_string(change.removed) +
                        " +" + std::to_string(change.inserted));
    }
    std::vector<std::string> changes;
  } observer;
  LoadMain();
  model_.SetObserver(&observer);
  const ControlRef list = Main("列表框1");
  model_.SetItems(list, {"a", "b", "c", "d"});
  model_.UserSelectListItem(list, 1);
  model_.SetItems(list, {"a", "x", "y", "d"});
  model_.SetItems(list, {"a", "x", "y", "d"});
  model_.AddItem(list, "e", 3);
  model_.SetItems(list, {"a", "x", "y", "d", "e"});  // same text, but the value goes back to 0
  model_.DeleteItem(list, 1);
  model_.SetItems(list, {});
  EXPECT_THAT(observer.changes, ElementsAre("0 -0 +4", "1 -2 +2", "4 -0 +0", "4 -0 +1", "4 -1 +1",
                                            "1 -1 +0", "0 -4 +0"));
  model_.SetItems(list, {"p", "p"});
  EXPECT_EQ(model_.ItemCount(list), 2);
  EXPECT_EQ(model_.ItemValue(list, 1), 0);
  EXPECT_EQ(model_.Selection(list), -1);
}

// Typed text is fetched from the view when it is read, once; a write from the logic wins.
TEST_F(ControlModelTest, TypedTextIsReadFromTheViewWhenNeeded) {
  Count(HandlerId::kSectionTitleChanged);
  LoadMain();
  const ControlRef box = Main("版块编辑框2");
  int reads = 0;
  model_.UserEditText(box, [&reads] {
    ++reads;
    return std::string("typed");
  });
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(Occurrences(HandlerLine(HandlerId::kSectionTitleChanged, 2)), 1);
  EXPECT_EQ(model_.Text(box), "typed");
  EXPECT_EQ(model_.Caption(box), "typed");
  EXPECT_EQ(reads, 1);
  model_.UserEditText(box, [] { return std::string("lost"); });
  model_.SetText(box, "written");
  EXPECT_EQ(model_.Text(box), "written");
}

// ---- tab pages ----

TEST_F(ControlModelTest, ControlHiddenByTheLogicStaysHiddenAcrossPageSwitches) {
  LoadMain();
  const ControlRef tabs = Main("框架选择夹");
  const ControlRef hidden = Main("标签选择框1");
  const ControlRef shown = Main("标签选择框2");
  model_.SetVisible(hidden, false);
  EXPECT_FALSE(model_.OnScreen(hidden));
  model_.UserSelectPage(tabs, 1);
  EXPECT_FALSE(model_.OnScreen(shown));
  // Shown again by the logic while its page is not selected: recorded, not on screen yet.
  model_.SetVisible(shown, false);
  model_.SetVisible(shown, true);
  EXPECT_FALSE(model_.OnScreen(shown));
  model_.UserSelectPage(tabs, 0);
  EXPECT_TRUE(model_.OnScreen(shown));
  EXPECT_FALSE(model_.OnScreen(hidden));
  EXPECT_FALSE(model_.Visible(hidden));
}

TEST_F(ControlModelTest, NestedTabPagesMustAllBeSelected) {
  LoadMain();
  const ControlRef title = Main("标签标题编辑框3");  // 设置选择夹 page 4, inside 框架选择夹 page 2
  EXPECT_FALSE(model_.OnScreen(title));
  model_.UserSelectPage(Main("设置选择夹"), 3);
  EXPECT_FALSE(model_.OnScreen(title));
  EXPECT_FALSE(model_.OnSelectedPages(title));
  model_.UserSelectPage(Main("框架选择夹"), 1);
  EXPECT_TRUE(model_.OnScreen(title));
  // A control hidden by the logic is still on the selected pages: a view builds it hidden.
  model_.SetVisible(title, false);
  EXPECT_FALSE(model_.OnScreen(title));
  EXPECT_TRUE(model_.OnSelectedPages(title));
  model_.UserSelectPage(Main("设置选择夹"), 40);  // no such page
  EXPECT_EQ(model_.Page(Main("设置选择夹")), 3);
}

// ---- modal windows and closing ----

TEST_F(ControlModelTest, ModalWindowRunsNestedInsideTheHandlerThatOpensIt) {
  std::vector<std::string> order;
  // The button of each window is named 时差计算按钮; each handler hears which window's it was.
  WindowId opened_from = 0;
  WindowId computed_in = 0;
  WindowId modal_window = 0;
  model_.SetHandler(HandlerId::kOpenTimeDifference, [&](const EventContext& event) {
    opened_from = event.window;
    order.push_back("open");
    model_.LoadWindow(WindowKind::kTimeDifference, true);
    order.push_back("after");
  });
  model_.SetHandler(HandlerId::kComputeTimeDifference, [&](const EventContext& event) {
    computed_in = event.window;
    order.push_back("compute");
  });
  host_.run = [&](WindowId modal) {
    modal_window = modal;
    order.push_back("modal");
    EXPECT_EQ(model_.ActiveWindow(), modal);
    EXPECT_FALSE(model_.WindowEnabled(main_));
    EXPECT_FALSE(model_.OnScreen(Main("导出文档按钮")));
    model_.UserClose(main_);  // refused while the modal window is open
    EXPECT_TRUE(model_.IsLoaded(main_));
    model_.UserClick(model_.Find(modal, "时差计算按钮"));
    model_.UserClose(modal);
    order.push_back("closed");
  };
  LoadMain();
  model_.UserClick(Main("时差计算按钮"));
  EXPECT_THAT(order, ElementsAre("open", "modal", "compute", "closed", "after"));
  EXPECT_EQ(opened_from, main_);
  EXPECT_NE(modal_window, main_);
  EXPECT_EQ(computed_in, modal_window);
  EXPECT_EQ(model_.ActiveWindow(), main_);
  EXPECT_TRUE(model_.WindowEnabled(main_));
  EXPECT_FALSE(model_.Finished());
}

TEST_F(ControlModelTest, ClosingTheLastWindowFinishes) {
  bool read_while_destroyed = false;
  model_.SetHandler(HandlerId::kMainWindowDestroyed, [&](const EventContext&) {
    read_while_destroyed = model_.Text(Main("文档标题编辑框")) == "清单";
    model_.UserClose(main_);  // a second close from inside the destruction does nothing
  });
  LoadMain();
  model_.UserClose(main_);
  EXPECT_TRUE(read_while_destroyed);
  EXPECT_FALSE(model_.IsLoaded(main_));
  EXPECT_TRUE(model_.Finished());
  EXPECT_EQ(Occurrences("closed 1"), 1);
  EXPECT_EQ(model_.ActiveWindow(), 0);
}

TEST_F(ControlModelTest, LoadingALoadedWindowOnlyBringsItForward) {
  Count(HandlerId::kStartupRoutine);
  LoadMain();
  EXPECT_EQ(model_.LoadWindow(WindowKind::kMain, false), main_);
  EXPECT_EQ(Occurrences(HandlerLine(HandlerId::kStartupRoutine, 0)), 1);
}

// ---- faults ----

TEST_F(ControlModelTest, AccessToAControlOfAClosedWindowIsFatal) {
  LoadMain();
  const WindowId second = model_.LoadWindow(WindowKind::kTimeDifference, false);
  const ControlRef button = model_.Find(second, "时差计算按钮");
  model_.UserClose(second);
  StderrSink sink;
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        model_.Caption(button);
      },
      ::testing::ExitedWithCode(testing::kExitMinusOne),
      HasSubstr("[report]运行时出错!\r\n\r\n错误信息：未载入欲访问窗口组件所在的窗口\r\n\r\n" +
                std::to_string(second) + ", " + std::to_string(button.control) +
                "\r\n\"\"\r\n\"\"\r\n[end]"));
}

TEST_F(ControlModelTest, ReferencesNamingNoLiveControlAreFatal) {
  LoadMain();
  StderrSink sink;
  const ControlRef beyond{ControlType::kEditBox, main_, 500};
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        model_.Text(beyond);
      },
      ::testing::ExitedWithCode(testing::kExitMinusOne),
      HasSubstr(
          "读取组件属性时发现指定窗口尚未载入\r\n\r\n1, 500\r\n\"\"\r\n未找到所指定的窗口组件"));
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        model_.SetText(beyond, "x");
      },
      ::testing::ExitedWithCode(testing::kExitMinusOne),
      HasSubstr("修改组件属性时发现指定窗口尚未载入"));
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        model_.SetChecked(ControlRef{ControlType::kCheckBox, 77, 3}, true);
      },
      ::testing::ExitedWithCode(testing::kExitMinusOne),
      HasSubstr("\r\n77, 3\r\n未找到所指定的窗口\r\n[end]"));
}

TEST_F(ControlModelTest, ElementOutsideAListFailsTheTypeCheckWithError5) {
  LoadMain();
  const auto tags = model_.FindControls(model_.WindowRef(main_), "标签", "选择框");
  EXPECT_EQ(ControlAt(tags, 0), tags.front());
  EXPECT_EQ(ControlAt(tags, 39), ControlRef{});
  EXPECT_EQ(ControlAt(tags, -1), ControlRef{});
  EXPECT_EQ(RequireType(tags[5], ControlType::kCheckBox, 1, 2), tags[5]);
  StderrSink sink;
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        RequireType(ControlAt(tags, 39), ControlType::kCheckBox, 12, 34);
      },
      ::testing::ExitedWithCode(testing::kExitMinusOne),
      HasSubstr("错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n\r\n12, 34\r\n[end]"));
}

}  // namespace
}  // namespace velmora
