#include "ui/model_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/clock.h"
#include "ui/control_names.h"

namespace velmora {
namespace {

constexpr DateTime kNow = 46037.4375;  // 2026-01-15 10:30:00

// A front end that draws nothing: it records what the shared policy asks of it, and reports
// user actions the way a real front end does.
class RecordingView final : public ModelView {
 public:
  std::vector<int> created;  // control entries in the order they were made
  std::map<int, std::string> shown_text;
  std::map<std::pair<int, Property>, int> sets;
  std::vector<std::string> calls;
  int flushes_posted = 0;
  bool finished = false;
  std::function<void(WindowId)> in_modal_loop;

  void Click(const ControlRef& button) {
    const UserAction action(*this);
    model()->UserClick(button);
  }
  void SelectPage(const ControlRef& tab, int page) {
    model()->UserSelectPage(tab, page);
    Refresh(tab, Property::kPage);
  }
  void Close(WindowId window) { RequestClose(window); }
  void Flush() { FlushDeferred(); }
  int Sets(const ControlRef& control, Property property) const {
    const auto found = sets.find({control.control, property});
    return found == sets.end() ? 0 : found->second;
  }

  void VisualStyleChanged(int) override {}

 private:
  void CreateTopWindow(WindowId window, const LayoutEntry&) override {
    calls.push_back("window " + std::to_string(window));
  }
  void CreateControl(const ControlRef& control, const ControlLook& look) override {
    created.push_back(control.control);
    shown_text[control.control] = look.text;
  }
  void StackControl(const ControlRef&, int) override {}
  void SetProperty(const ControlRef& control, Property property) override {
    ++sets[{control.control, property}];
    if (property == Property::kText) shown_text[control.control] = model()->Text(control);
  }
  int RowCount(const ControlRef& control) const override { return model()->ItemCount(control); }
  void ReplaceRows(const ControlRef&, const ItemChange&) override {}
  void ShowTopWindow(WindowId window) override {
    calls.push_back("show " + std::to_string(window));
  }
  void DestroyTopWindow(WindowId window) override {
    calls.push_back("destroy " + std::to_string(window));
  }
  void EnableTopWindow(WindowId window, bool enabled) override {
    calls.push_back((enabled ? "enable " : "disable ") + std::to_string(window));
  }
  void RunEventLoop(WindowId window) override {
    if (in_modal_loop) in_modal_loop(window);
  }
  void PostFlush() override { ++flushes_posted; }
  void ProgramFinished() override { finished = true; }
};

class ModelViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_.SetObserver(&view_);
    model_.SetModalHost(&view_);
    // The program loads its main window before the front end holds the model.
    main_ = model_.LoadWindow(WindowKind::kMain, false);
    view_.Attach(model_);
  }
  void TearDown() override { view_.Detach(); }

  ControlRef Named(std::string_view name) const { return model_.Find(main_, name); }
  bool Created(const ControlRef& control) const {
    return std::find(view_.created.begin(), view_.created.end(), control.control) !=
           view_.created.end();
  }
  // The nearest tab control above the control, and the page of it that holds the control.
  std::pair<ControlRef, int> PageOf(const ControlRef& control) const {
    const std::vector<LayoutEntry>& entries = model_.LayoutOf(main_).entries;
    for (int child = control.control; child != 0;) {
      const int parent = entries[static_cast<std::size_t>(child)].parent;
      if (entries[static_cast<std::size_t>(parent)].type == ControlType::kTab) {
        return {ControlRef{ControlType::kTab, main_, parent},
                entries[static_cast<std::size_t>(child)].page};
      }
      child = parent;
    }
    return {};
  }

  FixedClock clock_{kNow};
  ControlModel model_{clock_};
  RecordingView view_;
  WindowId main_ = 0;
};

TEST_F(ModelViewTest, BuildsParentsFirstAndOnlyThePagesShownThenEachPageWhenItComesUp) {
  EXPECT_EQ(view_.calls.front(), "window " + std::to_string(main_));
  // A parent that stands later in control order than its child is made before it.
  for (std::size_t i = 0; i < view_.created.size(); ++i) {
    const int parent =
        model_.LayoutOf(main_).entries[static_cast<std::size_t>(view_.created[i])].parent;
    if (parent == 0) continue;
    const auto at = std::find(view_.created.begin(), view_.created.end(), parent);
    ASSERT_NE(at, view_.created.end());
    EXPECT_LT(at - view_.created.begin(), static_cast<std::ptrdiff_t>(i));
  }
  EXPECT_TRUE(Created(Named(kPresetBoxName)));
  EXPECT_TRUE(Created(Named(TagCheckBoxName(1))));
  EXPECT_FALSE(Created(Named("Word程序")));

  const ControlRef content = Named(TagContentBoxName(2));
  const auto [settings, tag_page] = PageOf(content);
  const auto [frame, settings_page] = PageOf(settings);
  EXPECT_FALSE(Created(settings));
  EXPECT_FALSE(Created(content));

  view_.SelectPage(frame, settings_page);
  EXPECT_TRUE(Created(settings));
  EXPECT_FALSE(Created(content));
  // A write to a control that has never been built shows when it is built.
  model_.SetText(content, "ten kilobytes");
  EXPECT_EQ(view_.Sets(content, Property::kText), 0);
  view_.SelectPage(settings, tag_page);
  EXPECT_TRUE(Created(content));
  EXPECT_EQ(view_.shown_text[content.control], "ten kilobytes");
  EXPECT_EQ(std::count(view_.created.begin(), view_.created.end(), content.control), 1);
}

TEST_F(ModelViewTest, WritesToAPageNotShownReachItOnceWhenItIsShownAgain) {
  const ControlRef content = Named(TagContentBoxName(3));
  const auto [settings, tag_page] = PageOf(content);
  const auto [frame, settings_page] = PageOf(settings);
  view_.SelectPage(frame, settings_page);
  view_.SelectPage(settings, tag_page);
  view_.SelectPage(frame, 0);

  for (const char* text : {"one", "two", "three"}) model_.SetText(content, text);
  EXPECT_EQ(view_.Sets(content, Property::kText), 0);
  view_.Flush();
  EXPECT_EQ(view_.Sets(content, Property::kText), 0);
  view_.SelectPage(frame, settings_page);
  EXPECT_EQ(view_.Sets(content, Property::kText), 1);
  EXPECT_EQ(view_.shown_text[content.control], "three");
}

TEST_F(ModelViewTest, WritesDuringAUserActionShowOnceWhenItEnds) {
  const ControlRef title = Named(kDocumentTitleBoxName);
  const ControlRef numbering = Named(kNumberingBoxName);
  model_.SetHandler(HandlerId::kClearAll, [&](const EventContext&) {
    for (const char* text : {"a", "b", "c"}) model_.SetText(title, text);
    model_.SetChecked(numbering, false);
    model_.SetChecked(numbering, true);
    EXPECT_EQ(view_.Sets(title, Property::kText), 0);
  });
  const int checked_before = view_.Sets(numbering, Property::kChecked);
  view_.Click(Named("全部清空按钮"));
  EXPECT_EQ(view_.Sets(title, Property::kText), 1);
  EXPECT_EQ(view_.shown_text[title.control], "c");
  EXPECT_EQ(view_.Sets(numbering, Property::kChecked), checked_before + 1);
  // A dialog that the action opened would have let the event loop show the state so far.
  EXPECT_EQ(view_.flushes_posted, 1);

  // Outside an action a write shows at once.
  model_.SetText(title, "d");
  EXPECT_EQ(view_.Sets(title, Property::kText), 2);
}

TEST_F(ModelViewTest, OnlyTheWindowThatTakesInputClosesAndTheLastCloseEndsTheProgram) {
  WindowId modal = 0;
  view_.in_modal_loop = [&](WindowId window) {
    modal = window;
    view_.Close(main_);
    EXPECT_TRUE(model_.IsLoaded(main_));
    view_.Close(window);
  };
  model_.LoadWindow(WindowKind::kTimeDifference, true);
  ASSERT_NE(modal, 0);
  EXPECT_FALSE(model_.IsLoaded(modal));
  const std::vector<std::string> expected = {"disable " + std::to_string(main_),
                                             "enable " + std::to_string(main_),
                                             "destroy " + std::to_string(modal)};
  EXPECT_TRUE(std::search(view_.calls.begin(), view_.calls.end(), expected.begin(),
                          expected.end()) != view_.calls.end());
  EXPECT_FALSE(view_.finished);

  view_.Close(main_);
  EXPECT_FALSE(model_.IsLoaded(main_));
  EXPECT_TRUE(view_.finished);
}

}  // namespace
}  // namespace velmora
