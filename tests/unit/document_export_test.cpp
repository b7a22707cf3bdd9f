#include "app/document_export.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "docx_text.h"
#include "runtime/clock.h"
#include "runtime/file_faults.h"
#include "runtime/file_system.h"
#include "runtime/gbk_codec.h"
#include "runtime/retry_pause.h"
#include "runtime/utf8_path.h"

#ifdef _WIN32
#include <windows.h>
// Its macro would rename the dialogs' method that the test implements.
#undef MessageBox
#endif

namespace velmora {
namespace {

TEST(BuildDocumentText, NumberedPutsAnEmptyLineAfterTheTitleAndNoBreakAtTheEnd) {
  EXPECT_EQ(BuildDocumentText("清单", {"A", "B", "C"}, true), "清单\r\n\r\n1.A\r\n2.B\r\n3.C");
  EXPECT_EQ(BuildDocumentText("清单", {"A", "B", "C"}, false), "清单\r\nA\r\nB\r\nC\r\n");
  // A two-line entry takes one number.
  EXPECT_EQ(BuildDocumentText("T", {"x\r\ny", "z"}, true), "T\r\n\r\n1.x\r\ny\r\n2.z");
}

TEST(BuildDocumentText, AnEmptyListLeavesTheTitleAndOneLineBreak) {
  EXPECT_EQ(BuildDocumentText("清单", {}, true), "清单\r\n");
  EXPECT_EQ(BuildDocumentText("清单", {}, false), "清单\r\n");
}

class AnsweringDialogs final : public Dialogs {
 public:
  std::deque<int> answers;
  std::vector<std::string> shown;  // title, then text
  int MessageBox(std::string_view text, int, std::string_view title) override {
    shown.emplace_back(title);
    shown.emplace_back(text);
    if (answers.empty()) return kResultOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool InputBox(std::string_view, std::string_view, std::string&) override { return false; }
};

class NoShell final : public Shell {
 public:
  void ShowFolder(std::string_view) override {}
};

class NoModal final : public ModalHost {
 public:
  void RunModal(WindowId) override {}
};

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("velmora_export_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    program_ = std::make_unique<Program>(Utf8ToGbk(dir_.string()),
                                         ProgramServices{clock_, dialogs_, shell_, modal_});
  }
  void TearDown() override {
    program_.reset();
    // The program made the folder the current one, and Windows removes no such folder.
    std::filesystem::current_path(dir_.parent_path());
    std::filesystem::remove_all(dir_);
  }
  void SetTitle(std::string_view title) {
    program_->model().SetText(program_->context().MainControl("文档标题编辑框"), title);
  }
  void AddEntry(std::string_view text) {
    program_->model().AddItem(program_->context().MainControl("列表框1"), text);
  }
  std::string Document(std::string_view file_name) {
    // A document that is not there reads as empty, which the tests tell from any document.
    std::string bytes;
    static_cast<void>(ReadWholeFile(RunDirectory() + "\\" + std::string(file_name), bytes));
    return bytes;
  }

  FixedClock clock_{46000.0};
  AnsweringDialogs dialogs_;
  NoShell shell_;
  NoModal modal_;
  std::filesystem::path dir_;
  std::unique_ptr<Program> program_;
};

TEST_F(ExportTest, WritesTheListAsParagraphsAndReportsCompletion) {
  AddEntry("第一");
  AddEntry("a < b & \"c\"");
  SetTitle("周 报.v2");
  ExportDocument(program_->context());
  const auto paragraphs = ReadDocxParagraphs(Document("周 报.v2.docx"));
  ASSERT_TRUE(paragraphs.has_value());
  EXPECT_EQ(*paragraphs, (std::vector<std::string>{GbkToUtf8("周 报.v2"), "", GbkToUtf8("1.第一"),
                                                   "2.a < b & \"c\""}));
  EXPECT_EQ(dialogs_.shown.back(), "恭喜您！文档导出完成！");
}

TEST_F(ExportTest, CancelAtTheOverwriteQuestionKeepsTheEarlierDocumentByteForByte) {
  ExportDocument(program_->context());
  const std::string earlier = Document("清单.docx");
  ASSERT_FALSE(earlier.empty());
  AddEntry("新的一条");
  dialogs_.answers = {kResultOk, kResultCancel};
  dialogs_.shown.clear();
  ExportDocument(program_->context());
  EXPECT_EQ(Document("清单.docx"), earlier);
  ASSERT_EQ(dialogs_.shown.size(), 4u);  // the confirmation and the question, nothing after
  EXPECT_EQ(dialogs_.shown[3], "“清单.docx”已存在，是否替换原有文档？");
}

TEST_F(ExportTest, AFailedSaveIsReportedAsAFailure) {
  std::filesystem::create_directory(dir_ / PathFromUtf8(GbkToUtf8("清单.docx")));
  ExportDocument(program_->context());
  ASSERT_GE(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.shown[dialogs_.shown.size() - 2], "导出失败");
  // A folder is no file that another program holds.
  EXPECT_EQ(dialogs_.shown.back(), "文档“清单.docx”未能保存，没有导出任何文档！");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / PathFromUtf8(GbkToUtf8("清单.docx"))));
}

#ifdef _WIN32
// Another program holding a file open without sharing, as a word processor holds the document it
// shows: tests/win32/file_holder.cpp in a process of its own. It lets go when told, or at the
// latest after a limit, so that a failed test leaves no holder behind.
class FileHolder {
 public:
  FileHolder(const std::filesystem::path& file, DWORD limit_ms) {
    static int started = 0;
    const std::wstring prefix = L"velmora-file-holder-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++started);
    ready_ = CreateEventW(nullptr, TRUE, FALSE, (prefix + L".ready").c_str());
    release_ = CreateEventW(nullptr, TRUE, FALSE, (prefix + L".release").c_str());
    std::wstring command = L"\"" + std::wstring(VELMORA_FILE_HOLDER_EXE) + L"\" \"" +
                           file.wstring() + L"\" \"" + prefix + L"\" " + std::to_wstring(limit_ms);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started_process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started_process)) {
      return;
    }
    CloseHandle(started_process.hThread);
    process_ = started_process.hProcess;
    // Ready, or ended without holding the file.
    const HANDLE either[] = {ready_, process_};
    held_ = WaitForMultipleObjects(2, either, FALSE, kWaitLimitMs) == WAIT_OBJECT_0;
  }
  FileHolder(const FileHolder&) = delete;
  FileHolder& operator=(const FileHolder&) = delete;
  ~FileHolder() {
    if (process_ != nullptr && Release() == kStillRunning) TerminateProcess(process_, 1);
    for (const HANDLE handle : {process_, ready_, release_}) {
      if (handle != nullptr) CloseHandle(handle);
    }
  }

  bool held() const { return held_; }
  // Tells the holder to let go and waits until its process has ended, its handle with it.
  // The exit code is 0 when the file was held until then.
  DWORD Release() {
    SetEvent(release_);
    DWORD code = kStillRunning;
    if (WaitForSingleObject(process_, kWaitLimitMs) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process_, &code);
    }
    return code;
  }

 private:
  static constexpr DWORD kWaitLimitMs = 30000;  // Wine starts or ends a process well within that
  static constexpr DWORD kStillRunning = STILL_ACTIVE;
  HANDLE ready_ = nullptr;
  HANDLE release_ = nullptr;
  HANDLE process_ = nullptr;
  bool held_ = false;
};

constexpr DWORD kHoldLimitMs = 60000;
#endif

// A document open in another program: the export says so and what to do, and the document
// keeps its bytes. Windows refuses the replacement for as long as the other program holds it,
// through every retry.
TEST_F(ExportTest, ADocumentHeldByAnotherProgramIsNamedAndKept) {
  ExportDocument(program_->context());
  const std::string earlier = Document("清单.docx");
  ASSERT_FALSE(earlier.empty());
  AddEntry("新的一条");
#ifdef _WIN32
  FileHolder holder(dir_ / PathFromUtf8(GbkToUtf8("清单.docx")), kHoldLimitMs);
  ASSERT_TRUE(holder.held());
  int pauses = 0;
  SetRetryPause([&pauses](int) { ++pauses; });
  ExportDocument(program_->context());
  SetRetryPause({});
  EXPECT_EQ(pauses, 10);
  EXPECT_EQ(holder.Release(), 0u);
#else
  ArmFileFault(5, EBUSY);  // the rename over the old document
  ExportDocument(program_->context());
  DisarmFileFault();
#endif
  EXPECT_EQ(dialogs_.shown[dialogs_.shown.size() - 2], "导出失败");
  EXPECT_EQ(dialogs_.shown.back(), "导出失败：文件“清单.docx”可能正被其他程序打开，请关闭后重试。");
  EXPECT_EQ(Document("清单.docx"), earlier);
}

#ifdef _WIN32
// A virus scanner holds a freshly written file for a moment: a hold let go of while the
// replacement waits to be tried again does not fail the export.
TEST_F(ExportTest, AHoldLetGoOfWithinTheRetryTimeDoesNotFailTheExport) {
  ExportDocument(program_->context());
  AddEntry("新的一条");
  FileHolder holder(dir_ / PathFromUtf8(GbkToUtf8("清单.docx")), kHoldLimitMs);
  ASSERT_TRUE(holder.held());
  int pauses = 0;
  DWORD holder_exit = 1;
  SetRetryPause([&](int milliseconds) {
    if (++pauses == 1) holder_exit = holder.Release();
    SleepMilliseconds(milliseconds);
  });
  ExportDocument(program_->context());
  SetRetryPause({});
  EXPECT_EQ(holder_exit, 0u);
  EXPECT_GE(pauses, 1);  // the first try met the hold
  EXPECT_EQ(dialogs_.shown.back(), "恭喜您！文档导出完成！");
  const auto paragraphs = ReadDocxParagraphs(Document("清单.docx"));
  ASSERT_TRUE(paragraphs.has_value());
  EXPECT_EQ(paragraphs->back(), GbkToUtf8("1.新的一条"));
}
#endif

TEST_F(ExportTest, ATitleThatCannotBeAFileNameWritesNothingAnywhere) {
  std::filesystem::create_directory(dir_ / "sub");
  for (const char* title : {"sub/x", "..\\x", "NUL", "con.x"}) {
    SetTitle(title);
    dialogs_.shown.clear();
    ExportDocument(program_->context());
    ASSERT_EQ(dialogs_.shown.size(), 4u) << title;
    EXPECT_EQ(dialogs_.shown[2], "导出文档");
  }
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_)) {
    if (entry.is_regular_file()) written.push_back(Utf8FromPath(entry.path()));
  }
  EXPECT_TRUE(written.empty());
  EXPECT_FALSE(std::filesystem::exists(dir_.parent_path() / "x.docx"));
}

TEST_F(ExportTest, BlanksAndDotsEndingATitleStayInTheFileName) {
  for (const char* title : {"x.", "x ", ".."}) {
    SetTitle(title);
    ExportDocument(program_->context());
    EXPECT_TRUE(std::filesystem::is_regular_file(dir_ / (std::string(title) + ".docx"))) << title;
  }
}

}  // namespace
}  // namespace velmora
