#include "app/document_export.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/file_names.h"
#include "runtime/file_system.h"
#include "runtime/text_ops.h"
#include "runtime/word_bridge.h"

namespace velmora {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::vector<std::string> ListEntries(AppContext& app) {
  const ControlRef list = app.MainControl("列表框1");
  std::vector<std::string> entries;
  const int count = app.model.ItemCount(list);
  entries.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) entries.push_back(app.model.ItemText(list, i));
  return entries;
}

void Notify(AppContext& app, std::string_view title, std::string_view text) {
  app.dialogs.MessageBox(text, kMessageOk, title);
}

// Drives the word processor through the bridge; true only when the document is saved at path.
bool WriteDocument(std::string_view text, std::string_view path, bool& started) {
  WordApp word_app;
  WordDocuments documents;
  started = word_app.StartApplication() && documents.AttachDocuments(word_app, true);
  bool saved = false;
  if (started) {
    documents.InsertText(0, text);
    saved = documents.SaveDocumentAs(path);
    documents.CloseDocument();
  }
  word_app.QuitApplication();
  return saved;
}

}  // namespace

std::string BuildDocumentText(std::string_view title, const std::vector<std::string>& entries,
                              bool numbered) {
  std::string body;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (numbered) {
      body += kLineBreak;
      body += ToText(static_cast<int>(i + 1));
      body += '.';
      body += entries[i];
    } else {
      body += entries[i];
      body += kLineBreak;
    }
  }
  return ConcatText({title, kLineBreak, body});
}

void ExportDocument(AppContext& app) {
  if (app.dialogs.MessageBox("是否需要导出Word文档？", kMessageOkCancel, "导出文档") != kResultOk)
    return;
  const std::vector<std::string> entries = ListEntries(app);
  app.numbering_flag = app.model.Checked(app.MainControl("序号选择框")) ? 1 : 0;
  std::string title = app.model.Text(app.MainControl("文档标题编辑框"));
  if (title.empty()) title = "清单";

  // The title becomes the file name: one that names another folder, or a device on Windows,
  // must not be written at all. Blanks and dots at its end are kept: ".docx" follows them.
  const std::string file_name = title + ".docx";
  if (!IsUsableFileName(file_name)) {
    Notify(
        app, "导出文档",
        "文档标题不能用作文件名，请去掉 \\ / : * ? \" < > | 等字符，也不要用 CON、NUL 等设备名！");
    return;
  }
  const std::string path = ConcatText({RunDirectory(), "\\", file_name});
  // The user may have edited an earlier document of that name since it was exported.
  if (FileExists(path) &&
      app.dialogs.MessageBox(ConcatText({"“", file_name, "”已存在，是否替换原有文档？"}),
                             kMessageOkCancel, "导出文档") != kResultOk)
    return;

  bool started = false;
  if (!WriteDocument(BuildDocumentText(title, entries, app.numbering_flag != 0), path, started)) {
    Notify(app, "导出失败",
           started ? ConcatText({"文档“", file_name, "”未能保存，没有导出任何文档！"})
                   : std::string("无法启动Word程序，没有导出任何文档！"));
    return;
  }
  Notify(app, "提示", "恭喜您！文档导出完成！");
}

}  // namespace velmora
