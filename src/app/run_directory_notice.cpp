#include "app/run_directory_notice.h"

#include <cstdio>

#include "app/failure_log.h"
#include "runtime/gbk_codec.h"
#include "runtime/text_ops.h"

namespace velmora {

namespace {

constexpr std::string_view kTitle = "运行目录";

std::string Quoted(const std::string& utf8_folder) {
  return ConcatText({"“", Utf8ToGbk(utf8_folder), "”"});
}

// The notice as one line on standard error too, where a user's report or a test finds it.
RunDirectoryNotice Logged(RunDirectoryNotice notice) {
  std::string line = ConcatText({"velmora: ", notice.title, ": ", notice.text});
  line = ReplaceText(line, "\r\n", "") + "\n";
  const std::string utf8 = GbkToUtf8(line);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
  return notice;
}

}  // namespace

std::optional<RunDirectoryNotice> NoticeOfRunDirectory(const RunDirectoryResult& run_directory) {
  LogFailureCause(kTitle, run_directory.ready);
  if (!run_directory.ready) {
    if (run_directory.folder.empty()) {
      return Logged(RunDirectoryNotice{
          std::string(kTitle), "找不到用户的文档文件夹，无法建立运行目录，预设和文档都将无法保存！",
          true});
    }
    return Logged(RunDirectoryNotice{std::string(kTitle),
                                     ConcatText({"无法建立运行目录", Quoted(run_directory.folder),
                                                 "，预设和文档都将无法保存！"}),
                                     true});
  }
  if (run_directory.carried_data_from.empty()) return std::nullopt;
  LogFailureCause(kTitle, run_directory.carried);
  if (!run_directory.carried) {
    return Logged(RunDirectoryNotice{
        std::string(kTitle),
        ConcatText({"程序所在的文件夹不能写入，预设和文档今后保存在", Quoted(run_directory.folder),
                    "。\r\n原来的 Data 文件夹", Quoted(run_directory.carried_data_from),
                    "未能复制过去，其中的预设暂时无法使用，请检查后重新启动程序。"}),
        true});
  }
  return Logged(RunDirectoryNotice{
      std::string(kTitle),
      ConcatText({"程序所在的文件夹不能写入，预设和文档今后保存在", Quoted(run_directory.folder),
                  "。\r\n原来的 Data 文件夹", Quoted(run_directory.carried_data_from),
                  "已复制到那里，其中的预设可以照常使用。"}),
      false});
}

void LogRunDirectoryFailure(const FileResult& failure) { LogFailureCause(kTitle, failure); }

RunDirectoryNotice NoticeOfHeldRunDirectory(const std::string& folder, const FileResult& cause) {
  LogFailureCause(kTitle, cause);
  return Logged(RunDirectoryNotice{
      std::string(kTitle),
      ConcatText({"运行目录", Quoted(folder),
                  "正由另一个 Velmora 使用。\r\n为免两个程序互相覆盖预设，本程序不再启动；"
                  "请使用已打开的窗口，或关闭它后重试。"}),
      true});
}

}  // namespace velmora
