// The native windows of velmora.exe, driven from outside as a user drives them: each test copies
// the built program into a fresh run directory (the run directory is the program's folder),
// starts it, acts on its controls through their own messages and reads back what the windows
// and the files show. Each test walks one user story and ends by closing the main window.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "control_input.h"
#include "docx_text.h"
#include "launched_program.h"
#include "runtime/gbk_codec.h"
#include "screenshot.h"
#include "ui/control_ids.h"
#include "window_search.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kMainTitle[] = L"Velmorav1.0";
constexpr wchar_t kTimeDifferenceTitle[] = L"时差计算";
constexpr DWORD kExitTimeoutMs = 10000;
constexpr COLORREF kStyleFrameColour = RGB(123, 158, 189);

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path.c_str(), std::ios::binary);
  file << bytes;
}

std::wstring Wide(std::string_view gbk) {
  const std::string utf8 = GbkToUtf8(gbk);
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

// Where the layout puts a control, in the window's client coordinates: each parent's position
// adds to its children's.
RECT LayoutRect(WindowKind kind, std::string_view name) {
  const WindowLayout& layout = GetWindowLayout(kind);
  const LayoutEntry& entry =
      layout.entries[static_cast<std::size_t>(FindLayoutEntry(layout, name))];
  RECT rect{entry.left, entry.top, entry.left + entry.width, entry.top + entry.height};
  for (int parent = entry.parent; parent != 0;
       parent = layout.entries[static_cast<std::size_t>(parent)].parent) {
    OffsetRect(&rect, layout.entries[static_cast<std::size_t>(parent)].left,
               layout.entries[static_cast<std::size_t>(parent)].top);
  }
  return rect;
}

// The texts of a dialog's static controls (its message or prompt), one line each.
std::wstring DialogText(HWND dialog) {
  std::wstring text;
  for (HWND label : ChildrenOfClass(dialog, L"Static")) {
    const std::wstring part = WindowText(label);
    if (part.empty() || !IsWindowVisible(label)) continue;
    text += (text.empty() ? L"" : L"\n") + part;
  }
  return text;
}

HWND ButtonCaptioned(HWND dialog, std::wstring_view caption) {
  for (HWND button : ChildrenOfClass(dialog, L"Button")) {
    if (WindowText(button) == caption) return button;
  }
  return nullptr;
}

// The lines of what velmora-script prints for script (UTF-8), run in run_dir.
std::vector<std::string> RunScript(const fs::path& run_dir, const std::string& script) {
  const fs::path script_file = run_dir / "script.vs";
  const fs::path transcript_file = run_dir / "transcript.out";
  WriteBytes(script_file, script);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileW(transcript_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::wstring command = L"\"" + std::wstring(VELMORA_SCRIPT_EXE) + L"\" --run-dir \"" +
                         run_dir.wstring() + L"\" \"" + script_file.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  PROCESS_INFORMATION info{};
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &info);
  CloseHandle(out);
  if (!started) return {};
  WaitForSingleObject(info.hProcess, 30000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  std::vector<std::string> lines;
  std::istringstream transcript(ReadBytes(transcript_file));
  for (std::string line; std::getline(transcript, line);) lines.push_back(line);
  return lines;
}

// The exit code of velmora-script running script_file (kept outside run_dir) in run_dir.
std::optional<DWORD> ScriptExitCode(const fs::path& run_dir, const fs::path& script_file) {
  std::wstring command = L"\"" + std::wstring(VELMORA_SCRIPT_EXE) + L"\" --run-dir \"" +
                         run_dir.wstring() + L"\" \"" + script_file.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return std::nullopt;
  }
  CloseHandle(info.hThread);
  std::optional<DWORD> code;
  DWORD value = 0;
  if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(info.hProcess, &value)) {
    code = value;
  }
  CloseHandle(info.hProcess);
  return code;
}

SYSTEMTIME Date(WORD year, WORD month, WORD day) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  return date;
}

class VelmoraWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Window sizes as they stand on the screen, not scaled back to 96 DPI for the driver.
    SetProcessDPIAware();
    ASSERT_NE(std::getenv("DISPLAY"), nullptr)
        << "the window tests need an X display: run them through scripts/test-windows.sh";
    run_dir_ = fs::path(VELMORA_WINDOW_TEST_WORK) /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(run_dir_);
    fs::create_directories(run_dir_ / "Data");
    fs::copy_file(VELMORA_EXE, run_dir_ / "velmora.exe");
    fs::create_directories(VELMORA_SCREENSHOT_DIR);
    WriteBytes(run_dir_ / "Data" / "config.ini",
               "[组合框]\r\n预设组合框=预设配置一<|>0<||>预设配置二<|>0<||>预设配置三<|>0<||>0<|>"
               "预设配置一\r\n");
    WriteBytes(run_dir_ / "Data" / L"预设配置一.ini",
               "[选择框]\r\n标签选择框1=假\r\n标签选择框2=真\r\n[编辑框]\r\n标签标题编辑框1=甲\r\n"
               "标签内容编辑框1=内容一\r\n标签标题编辑框2=乙\r\n"
               "标签内容编辑框2=第一行><br><第二行\r\n");
    Start();
  }

  void TearDown() override { program_.reset(); }

  void Start() {
    std::optional<LaunchedProgram> started =
        LaunchedProgram::Start((run_dir_ / "velmora.exe").wstring());
    ASSERT_TRUE(started.has_value());
    program_.emplace(std::move(*started));
    main_ = WaitForTopLevel(program_->id(), kMainTitle);
    ASSERT_NE(main_, nullptr) << "the main window did not come up";
  }

  // Closes the main window as its close box does; the program's exit code.
  std::optional<DWORD> Close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    const std::optional<DWORD> code = program_->WaitForExit(kExitTimeoutMs);
    program_.reset();
    return code;
  }

  // A page's control windows are made when the page first comes up, as a user brings it up.
  void ShowPage(const char* tab, int page) {
    ASSERT_TRUE(ClickTab(program_->handle(), Control(tab), page));
  }

  HWND Control(const char* name, HWND window = nullptr, WindowKind kind = WindowKind::kMain) {
    HWND control = FindControl(window ? window : main_, kind, name);
    EXPECT_NE(control, nullptr) << "no control window for " << GbkToUtf8(name);
    return control;
  }

  // The message box that comes up next must say title and text; button answers it.
  void ExpectMessage(const char* title, const char* text, int button) {
    HWND box = WaitForDialog(program_->id());
    ASSERT_NE(box, nullptr) << "no message box: " << GbkToUtf8(text);
    EXPECT_EQ(WindowText(box), Wide(title));
    EXPECT_EQ(DialogText(box), Wide(text));
    EXPECT_FALSE(IsWindowEnabled(main_)) << "a message box is modal";
    ASSERT_TRUE(Answer(box, button));
  }

  // The control stands in the program's visual style: the middle of its left edge has the
  // style's frame colour, where the system draws grey.
  void ExpectStyleFrame(HWND control) {
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(WaitFor([control] { return IsShownAndPainted(GetAncestor(control, GA_ROOT)); }));
    Sleep(200);
    RECT rect{};
    GetWindowRect(control, &rect);
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, rect.left, (rect.top + rect.bottom) / 2);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(pixel, kStyleFrameColour) << "RGB " << int{GetRValue(pixel)} << ", "
                                        << int{GetGValue(pixel)} << ", " << int{GetBValue(pixel)};
  }

  void ExpectLayoutPlace(const char* name, bool with_height = true) {
    const RECT expected = LayoutRect(WindowKind::kMain, name);
    const RECT actual = RectIn(main_, Control(name));
    EXPECT_EQ(actual.left, expected.left) << GbkToUtf8(name);
    EXPECT_EQ(actual.top, expected.top) << GbkToUtf8(name);
    EXPECT_EQ(actual.right - actual.left, expected.right - expected.left) << GbkToUtf8(name);
    if (with_height) {
      EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top) << GbkToUtf8(name);
    }
  }

  // The files of the Data folder with their bytes.
  std::vector<std::pair<std::wstring, std::string>> DataFiles() const {
    std::vector<std::pair<std::wstring, std::string>> files;
    for (const fs::directory_entry& file : fs::directory_iterator(run_dir_ / "Data")) {
      files.emplace_back(file.path().filename().wstring(), ReadBytes(file.path()));
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  void Screenshot(HWND window, const wchar_t* name) {
    // The picture is taken once the window has been drawn as the user sees it.
    EXPECT_TRUE(WaitFor([window] { return IsShownAndPainted(window); }));
    Sleep(200);
    EXPECT_TRUE(SaveScreenshot(window, fs::path(VELMORA_SCREENSHOT_DIR) / name)) << "screenshot";
  }

  fs::path run_dir_;
  std::optional<LaunchedProgram> program_;
  HWND main_ = nullptr;
};

// The layout's coordinates, startup's state, a Tag click, a Section title typed on the settings
// page and shown on its frame when the frame's page comes up again, the hidden Tag staying
// hidden across pages; closing ends with 0 and writes nothing.
TEST_F(VelmoraWindowTest, MainWindowShowsTheLayoutAndFollowsTheUser) {
  RECT outer{};
  GetWindowRect(main_, &outer);
  EXPECT_EQ(outer.right - outer.left, 981);
  EXPECT_EQ(outer.bottom - outer.top, 621);
  ExpectLayoutPlace("预设组合框", false);
  ExpectLayoutPlace("列表框1");
  ExpectLayoutPlace("导出文档按钮");
  ExpectLayoutPlace("时差计算按钮");
  // 框架选择夹 (408, 8), 版块分组框1 (8, 40) on its first page, 标签选择框1 (16, 24) in that.
  ExpectLayoutPlace("版块分组框1");
  ExpectLayoutPlace("标签选择框1");
  EXPECT_EQ(LayoutRect(WindowKind::kMain, "标签选择框1").left, 408 + 8 + 16);

  EXPECT_EQ(WindowText(Control("标签选择框2")), L"乙");
  EXPECT_TRUE(IsWindowVisible(Control("标签选择框2")));
  EXPECT_FALSE(IsWindowVisible(Control("标签选择框3")));
  HWND list = Control("列表框1");
  ASSERT_EQ(ListBoxEntries(list).size(), 1u);

  Click(Control("标签选择框1"));
  EXPECT_EQ(SendMessageW(Control("标签选择框1"), BM_GETCHECK, 0, 0), BST_CHECKED);
  const std::vector<std::wstring> entries = ListBoxEntries(list);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1], L"内容一");

  HWND frame_tab = Control("框架选择夹");
  ASSERT_TRUE(ClickTab(program_->handle(), frame_tab, 1));
  EXPECT_TRUE(IsWindowVisible(Control("版块编辑框1")));
  EXPECT_FALSE(IsWindowVisible(Control("标签选择框1")));
  HWND title = Control("版块编辑框1");
  HWND frame = Control("版块分组框1");
  Type(title, L"总则");
  Screenshot(main_, L"win32_main_settings.png");

  ASSERT_TRUE(ClickTab(program_->handle(), frame_tab, 0));
  EXPECT_EQ(WindowText(frame), L"总则");
  EXPECT_TRUE(IsWindowVisible(Control("标签选择框1")));
  EXPECT_FALSE(IsWindowVisible(Control("标签选择框3")));
  Screenshot(main_, L"win32_main.png");

  const std::vector<std::pair<std::wstring, std::string>> data_before = DataFiles();
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(DataFiles(), data_before);
}

// On any screen and at any DPI the windows lie inside the work area of their monitor, title
// bar included, at the system's scale where they fit there and else at the largest that fits.
// The scripts run this test at 120 and 144 DPI on a 1366 x 768 and a 1920 x 1080 screen.
TEST_F(VelmoraWindowTest, WindowsFitTheWorkAreaAtTheLargestScale) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const auto expect_fit = [dpi](HWND window, WindowKind kind, const char* sample) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    EXPECT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT work = monitor.rcWork;
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top) << "the title bar is above the work area";
    EXPECT_LE(outer.right, work.right);
    EXPECT_LE(outer.bottom, work.bottom);
    // The scale the contents were laid out at, from a control's width.
    const LayoutEntry& entry =
        GetWindowLayout(kind)
            .entries[static_cast<std::size_t>(FindLayoutEntry(GetWindowLayout(kind), sample))];
    const RECT place = RectIn(window, FindControl(window, kind, sample));
    const int scale_dpi = MulDiv(place.right - place.left, 96, entry.width);
    const int layout_width = GetWindowLayout(kind).entries.front().width;
    const int layout_height = GetWindowLayout(kind).entries.front().height;
    const bool fits_unreduced = MulDiv(layout_width, dpi, 96) <= work.right - work.left &&
                                MulDiv(layout_height, dpi, 96) <= work.bottom - work.top;
    if (fits_unreduced || dpi <= 96) {
      EXPECT_EQ(scale_dpi, dpi);
    } else {
      EXPECT_LT(scale_dpi, dpi);
      EXPECT_GE(scale_dpi, 96);
      // The largest that fits: one step more would stand out of the work area.
      const int slack = std::min((work.right - work.left) - (outer.right - outer.left),
                                 (work.bottom - work.top) - (outer.bottom - outer.top));
      EXPECT_LT(slack, std::max(layout_width, layout_height) / 96 + 2);
    }
  };
  expect_fit(main_, WindowKind::kMain, "列表框1");
  const std::wstring size = std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                            std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
  Screenshot(main_, (L"win32_fit_" + std::to_wstring(dpi) + L"dpi_" + size + L".png").c_str());

  ClickLater(Control("时差计算按钮"));
  HWND window = WaitForTopLevel(program_->id(), kTimeDifferenceTitle);
  ASSERT_NE(window, nullptr);
  expect_fit(window, WindowKind::kTimeDifference, "时差计算按钮");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(
      WaitFor([&] { return FindTopLevel(program_->id(), kTimeDifferenceTitle) == nullptr; }));
  EXPECT_EQ(Close(), 0u);
}

// What the user set up is saved into the Preset, and a new start of the program shows all of
// it again.
TEST_F(VelmoraWindowTest, SavedPresetComesBackAfterRestart) {
  Click(Control("标签选择框1"));
  ShowPage("框架选择夹", 1);
  Type(Control("版块编辑框1"), L"准备");
  ShowPage("设置选择夹", 1);
  HWND content = Control("标签内容编辑框1");
  const auto end = SendMessageW(content, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(content, EM_SETSEL, static_cast<WPARAM>(end), end);
  Type(content, L"x");
  HWND document_title = Control("文档标题编辑框");
  SendMessageW(document_title, EM_SETSEL, 0, -1);
  Type(document_title, L"周报");
  Click(Control("序号选择框"));
  EXPECT_EQ(WindowText(Control("序号选择框")), L"无序导出");

  ClickLater(Control("保存设置按钮"));
  ExpectMessage("保存设置", "点确定保存现有配置。", IDOK);
  ExpectMessage("保存成功", "预设配置保存成功！", IDOK);
  EXPECT_EQ(Close(), 0u);

  Start();
  EXPECT_EQ(WindowText(Control("版块分组框1")), L"准备");
  ShowPage("框架选择夹", 1);
  EXPECT_EQ(WindowText(Control("版块编辑框1")), L"准备");
  ShowPage("设置选择夹", 1);
  EXPECT_EQ(WindowText(Control("标签内容编辑框1")), L"内容一x");
  EXPECT_EQ(WindowText(Control("文档标题编辑框")), L"周报");
  // The numbering caption follows a click only; the tick itself is back.
  EXPECT_EQ(SendMessageW(Control("序号选择框"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Control("标签选择框1"), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Both Tags ticked: their contents stand in the list, in control order of the check boxes.
  const std::vector<std::wstring> entries = ListBoxEntries(Control("列表框1"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], L"内容一x");
  EXPECT_EQ(Close(), 0u);
}

// A message box answered Cancel and then OK, the document it asks for, and the input box of a
// new Preset cancelled and then confirmed.
TEST_F(VelmoraWindowTest, ExportAndNewPresetAskTheUser) {
  Click(Control("标签选择框1"));
  const fs::path document = run_dir_ / L"清单.docx";
  ClickLater(Control("导出文档按钮"));
  // The dialogs take the program's visual style too.
  HWND box = WaitForDialog(program_->id());
  ASSERT_NE(box, nullptr);
  ExpectStyleFrame(GetDlgItem(box, IDCANCEL));
  Screenshot(box, L"win32_message_box.png");
  ExpectMessage("导出文档", "是否需要导出Word文档？", IDCANCEL);
  EXPECT_TRUE(WaitFor([this] { return IsWindowEnabled(main_) != FALSE; }));
  EXPECT_FALSE(fs::exists(document));

  ClickLater(Control("导出文档按钮"));
  ExpectMessage("导出文档", "是否需要导出Word文档？", IDOK);
  ExpectMessage("提示", "恭喜您！文档导出完成！", IDOK);
  const std::optional<std::vector<std::string>> paragraphs =
      ReadDocxParagraphs(ReadBytes(document));
  ASSERT_TRUE(paragraphs.has_value());
  EXPECT_EQ(*paragraphs, (std::vector<std::string>{GbkToUtf8("清单"), "", GbkToUtf8("1.第一行"),
                                                   GbkToUtf8("第二行"), GbkToUtf8("2.内容一")}));

  HWND presets = Control("预设组合框");
  ClickLater(Control("增加预设按钮"));
  HWND input = WaitForDialog(program_->id());
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(DialogText(input), L"请输入预设名称：");
  ASSERT_EQ(ChildrenOfClass(input, L"Edit").size(), 1u);
  ExpectStyleFrame(ChildrenOfClass(input, L"Edit").front());
  ExpectStyleFrame(ButtonCaptioned(input, L"确认输入(&O)"));
  Screenshot(input, L"win32_input_box.png");
  Type(ChildrenOfClass(input, L"Edit").front(), L"abc");
  HWND cancel = ButtonCaptioned(input, L"取消(&C)");
  ASSERT_NE(cancel, nullptr);
  ASSERT_TRUE(Answer(input, GetDlgCtrlID(cancel)));
  ExpectMessage("增加预设", "不能增加与已有选项重复或为空值的名称！", IDOK);
  EXPECT_EQ(ComboBoxEntries(presets).size(), 3u);

  ClickLater(Control("增加预设按钮"));
  input = WaitForDialog(program_->id());
  ASSERT_NE(input, nullptr);
  Type(ChildrenOfClass(input, L"Edit").front(), L"新预设");
  HWND confirm = ButtonCaptioned(input, L"确认输入(&O)");
  ASSERT_NE(confirm, nullptr);
  ASSERT_TRUE(Answer(input, GetDlgCtrlID(confirm)));
  EXPECT_TRUE(WaitFor([presets] { return ComboBoxEntries(presets).size() == 4u; }));
  const std::vector<std::wstring> names = ComboBoxEntries(presets);
  const auto selected = SendMessageW(presets, CB_GETCURSEL, 0, 0);
  ASSERT_GE(selected, 0);
  EXPECT_EQ(names[static_cast<std::size_t>(selected)], L"新预设");
  EXPECT_NE(ReadBytes(run_dir_ / "Data" / "config.ini").find("新预设"), std::string::npos);
  EXPECT_EQ(Close(), 0u);
}

// The time-difference window, modal over the main window, counts the same months as the
// script runner does for the same dates, and closes.
TEST_F(VelmoraWindowTest, TimeDifferenceCountsAsTheScriptRunner) {
  ClickLater(Control("时差计算按钮"));
  HWND window = WaitForTopLevel(program_->id(), kTimeDifferenceTitle);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_));
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 342);
  EXPECT_EQ(outer.bottom - outer.top, 187);

  const auto control = [&](const char* name) {
    return Control(name, window, WindowKind::kTimeDifference);
  };
  struct Pair {
    SYSTEMTIME from;
    SYSTEMTIME to;
    const char* script_dates;
  };
  const std::vector<Pair> pairs = {
      {Date(2021, 11, 30), Date(2024, 2, 1),
       "date 时差日期框1 2021-11-30\ndate 时差日期框2 2024-02-01\n"},
      {Date(2023, 5, 1), Date(2022, 3, 15),
       "date 时差日期框1 2023-05-01\ndate 时差日期框2 2022-03-15\n"},
  };
  std::string script = "click 时差计算按钮\n";
  std::vector<std::wstring> shown;
  for (const Pair& pair : pairs) {
    ASSERT_TRUE(PickDate(program_->handle(), control("时差日期框1"), pair.from));
    ASSERT_TRUE(PickDate(program_->handle(), control("时差日期框2"), pair.to));
    Click(control("时差计算按钮"));
    shown.push_back(WindowText(control("时差结果编辑框")));
    script += std::string(pair.script_dates) + "click 时差计算按钮\nshow 时差结果编辑框\n";
  }
  Screenshot(window, L"win32_time_difference.png");
  script += "close\n";

  const fs::path script_dir = run_dir_ / "script-run";
  fs::create_directories(script_dir);
  std::vector<std::wstring> counted;
  const std::string marker = GbkToUtf8("时差结果编辑框 编辑框 text=\"");
  for (const std::string& line : RunScript(script_dir, GbkToUtf8(script))) {
    if (line.rfind(marker, 0) != 0) continue;
    const std::string count =
        line.substr(marker.size(), line.find('"', marker.size()) - marker.size());
    counted.push_back(std::wstring(count.begin(), count.end()));
  }
  ASSERT_EQ(counted.size(), pairs.size()) << "velmora-script did not show its results";
  EXPECT_EQ(shown, counted);
  EXPECT_EQ(shown.front(), L"27");

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(
      WaitFor([&] { return FindTopLevel(program_->id(), kTimeDifferenceTitle) == nullptr; }));
  EXPECT_TRUE(WaitFor([this] { return IsWindowEnabled(main_) != FALSE; }));
  EXPECT_EQ(Close(), 0u);
}

// One program per run directory: a second start brings the running program's window to the
// front, restored, and ends with 0; velmora-script is refused without touching a file; the run
// directory is free again once the program has been ended by force.
TEST_F(VelmoraWindowTest, SecondStartBringsTheRunningWindowForward) {
  ShowWindow(main_, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([this] { return IsIconic(main_) != FALSE; }));
  std::optional<LaunchedProgram> second =
      LaunchedProgram::Start((run_dir_ / "velmora.exe").wstring());
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(program_->WaitForExit(0), std::nullopt) << "the first program must run on";
  EXPECT_TRUE(WaitFor([this] { return IsIconic(main_) == FALSE && IsWindowVisible(main_); }));
  EXPECT_TRUE(WaitFor([this] { return GetForegroundWindow() == main_; }));

  const fs::path script_file = run_dir_.parent_path() / L"held-run-dir.vs";
  WriteBytes(script_file, GbkToUtf8("click 保存设置按钮\nanswer ok\nanswer ok\n"));
  const std::vector<std::pair<std::wstring, std::string>> data_before = DataFiles();
  EXPECT_EQ(ScriptExitCode(run_dir_, script_file), 2u);
  EXPECT_EQ(DataFiles(), data_before);

  TerminateProcess(program_->handle(), 1);
  EXPECT_EQ(program_->WaitForExit(kExitTimeoutMs), 1u);
  program_.reset();
  EXPECT_EQ(ScriptExitCode(run_dir_, script_file), 0u);
}

}  // namespace
}  // namespace velmora
