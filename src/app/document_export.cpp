#include "app/document_export.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/file_names.h"
#include "app/message_boxes.h"
#include "runtime/file_system.h"
#include "runtime/path_join.h"
#include "runtime/text_ops.h"
#include "runtime/word_bridge.h"
#include "ui/control_names.h"

namespace velmora {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The list's entries as the model holds them, not copied: valid until the list next changes.
std::vector<std::string_view> ListEntries(AppContext& app) {
  const std::vector<ComboEntry>& items = app.model.Combo(app.MainControl(kTagListName)).Entries();
  std::vector<std::string_view> entries;
  entries.reserve(items.size());
  for (const ComboEntry& item : items) entries.push_back(item.text);
  return entries;
}

// Drives the word processor through the bridge; succeeds only when the document is saved at
// path.
FileResult WriteDocument(std::string text, std::string_view path, bool& started) {
  WordApp word_app;
  WordDocuments documents;
  started = word_app.StartApplication() && documents.AttachDocuments(word_app, true);
  FileResult saved = FileResult::Failure("cannot start the word processor");
  if (started) {
    documents.InsertText(0, std::move(text));
    saved = documents.SaveDocumentAs(path);
    documents.CloseDocument();
  }
  word_app.QuitApplication();
  return saved;
}

}  // namespace

std::string BuildDocumentText(std::string_view title, const std::vector<std::string_view>& entries,
                              bool numbered) {
  // Sized first, so that a long document is allocated once and never copied.
  std::size_t size = title.size() + kLineBreak.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    size += entries[i].size() + kLineBreak.size();
    if (numbered) size += ToText(static_cast<int>(i + 1)).size() + 1;
  }
  std::string text;
  text.reserve(size);
  text += title;
  text += kLineBreak;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (numbered) {
      text += kLineBreak;
      text += ToText(static_cast<int>(i + 1));
      text += '.';
      text += entries[i];
    } else {
      text += entries[i];
      text += kLineBreak;
    }
  }
  return text;
}

void ExportDocument(AppContext& app) {
  if (!Confirm(app, "导出文档", "是否需要导出Word文档？")) return;
  app.numbering_flag = app.model.Checked(app.MainControl(kNumberingBoxName)) ? 1 : 0;
  std::string title = app.model.Text(app.MainControl(kDocumentTitleBoxName));
  if (title.empty()) title = "清单";

  // The title becomes the file name: one that names another folder, or a device on Windows,
  // must not be written at all. Blanks and dots at its end are kept: ".docx" follows them.
  const std::string file_name = title + ".docx";
  if (!IsUsableFileName(file_name)) {
    Tell(app, "导出文档",
         "文档标题不能用作文件名，请去掉 \\ / : * ? \" < > | 等字符，也不要用 CON、NUL 等设备名！");
    return;
  }
  const std::string path = JoinPath(RunDirectory(), file_name);
  // The user may have edited an earlier document of that name since it was exported.
  if (FileExists(path) &&
      !Confirm(app, "导出文档", ConcatText({"“", file_name, "”已存在，是否替换原有文档？"})))
    return;

  bool started = false;
  const FileResult saved = WriteDocument(
      BuildDocumentText(title, ListEntries(app), app.numbering_flag != 0), path, started);
  if (!saved) {
    TellFailure(app, "导出失败",
                started ? ConcatText({"文档“", file_name, "”未能保存，没有导出任何文档！"})
                        : std::string("无法启动Word程序，没有导出任何文档！"),
                saved);
    return;
  }
  Tell(app, "提示", "恭喜您！文档导出完成！");
}

}  // namespace velmora
