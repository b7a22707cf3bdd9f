#include "script_runner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "docx_text.h"
#include "runtime/file_system.h"
#include "runtime/gbk_codec.h"
#include "runtime/path_join.h"
#include "runtime/utf8_path.h"
#include "transcript.h"

namespace velmora {

namespace {

std::string Flag(std::string_view name, bool value) {
  return " " + std::string(name) + (value ? "=1" : "=0");
}

std::string DateText(DateTime value) {
  const CalendarTime t = ToCalendarTime(value);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return buffer;
}

std::string RunPath(std::string_view relative) { return JoinPath(RunDirectory(), relative); }

// The lines of a text file, each with its own line break, so that CR LF and LF stay apart.
std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    end = end == bytes.npos ? bytes.size() : end + 1;
    lines.emplace_back(bytes.substr(start, end - start));
    start = end;
  }
  return lines;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

void ScriptRunner::Run(std::string_view run_directory, const Clock& clock) {
  SetFatalErrorSink(this);
  const ProgramServices services{clock, dialogs_, *this, *this, nullptr};
  Program program(run_directory, services);
  model_ = &program.model();
  while (const ScriptCommand* command = session_.Next()) Execute(*command);
  model_ = nullptr;
}

void ScriptRunner::RunModal(WindowId window) {
  if (model_ == nullptr) session_.Fail(0, "a modal window opened while the program was starting");
  while (model_->IsLoaded(window)) {
    const ScriptCommand* command = session_.Next();
    if (command == nullptr) {
      session_.Fail(session_.LastLine(), "the script ended while the window " +
                                             QuoteText(model_->Caption(model_->WindowRef(window))) +
                                             " was open");
    }
    Execute(*command);
  }
}

void ScriptRunner::ShowFolder(std::string_view path) {
  const std::string root = RunDirectory();
  std::string shown(path);
  if (shown == root) {
    shown = ".";
  } else if (shown.size() > root.size() && shown.compare(0, root.size(), root) == 0 &&
             (shown[root.size()] == kPathSeparator || shown[root.size()] == '/')) {
    shown = shown.substr(root.size() + 1);
  }
  session_.transcript().Line("open " + QuoteText(shown));
}

void ScriptRunner::ShowFatalReport(std::string_view body) {
  session_.transcript().Line("fatal " + QuoteText(body));
  session_.transcript().Line("exit -1");
  session_.transcript().Flush();
}

ControlRef ScriptRunner::Lookup(const ScriptCommand& command, std::string_view name) {
  const WindowId window = model_->ActiveWindow();
  const ControlRef control = model_->Find(window, name);
  if (control.window == 0) {
    session_.Fail(command.line, "no control named " + PlainText(name) + " in the window " +
                                    QuoteText(model_->Caption(model_->WindowRef(window))));
  }
  return control;
}

ControlRef ScriptRunner::Actionable(const ScriptCommand& command,
                                    std::initializer_list<ControlType> types) {
  const ControlRef control = Lookup(command, command.names.front());
  const std::string name = PlainText(command.names.front());
  if (std::find(types.begin(), types.end(), control.type) == types.end()) {
    session_.Fail(command.line,
                  name + " is a " + PlainText(TypeName(control.type)) + ": cannot act on it so");
  }
  if (!model_->Enabled(control)) session_.Fail(command.line, name + " is disabled");
  if (!model_->OnScreen(control)) {
    session_.Fail(command.line,
                  name + " is not on the screen (hidden, or on a tab page that is not selected)");
  }
  return control;
}

void ScriptRunner::Execute(const ScriptCommand& command) {
  const bool ended = model_->Finished();
  if (ended && command.kind != CommandKind::kFiles && command.kind != CommandKind::kCat)
    session_.Fail(command.line, "the program has ended: its main window is closed");
  switch (command.kind) {
    case CommandKind::kClick: {
      const ControlRef control =
          Actionable(command, {ControlType::kButton, ControlType::kCheckBox});
      if (control.type == ControlType::kButton) {
        model_->UserClick(control);
      } else {
        model_->UserToggle(control);
      }
      return;
    }
    case CommandKind::kType: {
      const ControlRef control = Actionable(command, {ControlType::kEditBox});
      if ((model_->Entry(control).style & kStyleReadOnly) != 0)
        session_.Fail(command.line, PlainText(command.names.front()) + " is read-only");
      model_->UserReplaceText(control, command.text);
      return;
    }
    case CommandKind::kPick: {
      const ControlRef control =
          Actionable(command, {ControlType::kComboBox, ControlType::kListBox});
      if (command.index >= model_->ItemCount(control)) {
        session_.Fail(command.line, PlainText(command.names.front()) + " has no entry " +
                                        std::to_string(command.index));
      }
      if (control.type == ControlType::kComboBox) {
        model_->UserPickEntry(control, command.index);
      } else {
        model_->UserSelectListItem(control, command.index);
      }
      return;
    }
    case CommandKind::kPage: {
      const ControlRef control = Actionable(command, {ControlType::kTab});
      if (command.index >= static_cast<int>(model_->Entry(control).items.size())) {
        session_.Fail(command.line, PlainText(command.names.front()) + " has no page " +
                                        std::to_string(command.index));
      }
      model_->UserSelectPage(control, command.index);
      return;
    }
    case CommandKind::kDate: {
      const ControlRef control = Actionable(command, {ControlType::kDatePicker});
      CalendarTime picked = command.date;
      // Picking a day keeps the time of day the box shows.
      if (!command.has_time) {
        const CalendarTime shown = ToCalendarTime(model_->Date(control));
        picked.hour = shown.hour;
        picked.minute = shown.minute;
        picked.second = shown.second;
      }
      model_->UserPickDate(control, FromCalendarTime(picked));
      return;
    }
    case CommandKind::kClose:
      model_->UserClose(model_->ActiveWindow());
      return;
    case CommandKind::kAnswer:
      session_.Fail(command.line, "no message box is open");
    case CommandKind::kInput:
      session_.Fail(command.line, "no input box is open");
    case CommandKind::kShow:
      for (const std::string& name : command.names)
        session_.transcript().Line(Describe(Lookup(command, name)));
      return;
    case CommandKind::kDump:
      for (const ControlRef& control : model_->Controls(model_->ActiveWindow()))
        session_.transcript().Line(Describe(control));
      return;
    case CommandKind::kFiles:
      ListFiles();
      return;
    case CommandKind::kCat:
      PrintFile(command);
      return;
  }
}

std::string ScriptRunner::Describe(const ControlRef& control) const {
  const ControlModel& model = *model_;
  std::string line = PlainText(model.Name(control)) + " " + PlainText(TypeName(control.type));
  const auto entries = [&model, &control](bool with_values) {
    std::string text = " entries=[";
    for (int i = 0; i < model.ItemCount(control); ++i) {
      if (i > 0) text += ',';
      text += QuoteText(model.ItemText(control, i));
      if (with_values) text += ":" + std::to_string(model.ItemValue(control, i));
    }
    return text + "]";
  };
  switch (control.type) {
    case ControlType::kWindow:
    case ControlType::kGroupBox:
    case ControlType::kLabel:
    case ControlType::kButton:
      line += " caption=" + QuoteText(model.Caption(control));
      break;
    case ControlType::kCheckBox:
      line +=
          " caption=" + QuoteText(model.Caption(control)) + Flag("checked", model.Checked(control));
      break;
    case ControlType::kEditBox:
      line += " text=" + QuoteText(model.Text(control));
      break;
    case ControlType::kComboBox:
    case ControlType::kListBox:
      line += entries(control.type == ControlType::kComboBox) +
              " selection=" + std::to_string(model.Selection(control));
      break;
    case ControlType::kTab:
      line += " page=" + std::to_string(model.Page(control));
      break;
    case ControlType::kDatePicker:
      line += " date=" + DateText(model.Date(control));
      break;
    case ControlType::kWordApp:
    case ControlType::kWordDocuments:
      return line;
  }
  return line + Flag("visible", model.Visible(control));
}

void ScriptRunner::ListFiles() {
  const std::filesystem::path root = PathFromUtf8(NativePath(RunDirectory()));
  std::vector<std::pair<std::string, std::uintmax_t>> files;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(root, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    files.emplace_back(GenericUtf8FromPath(it->path().lexically_relative(root)),
                       it->file_size(error));
  }
  std::sort(files.begin(), files.end());
  for (const auto& [path, size] : files) {
    // A document shows its paragraphs instead of its size, which changes with the compressor.
    std::string bytes;
    if (!EndsWith(path, ".docx") || !ReadWholeFile(RunPath(Utf8ToGbk(path)), bytes)) {
      session_.transcript().Line("file " + path + " " + std::to_string(size));
      continue;
    }
    const std::optional<std::vector<std::string>> paragraphs = ReadDocxParagraphs(bytes);
    std::string line = "file " + path + " paragraphs=";
    if (!paragraphs) {
      session_.transcript().Line(line + "unreadable");
      continue;
    }
    for (std::size_t i = 0; i < paragraphs->size(); ++i) {
      line += (i == 0 ? "[" : ",") + QuoteText(Utf8ToGbk((*paragraphs)[i]));
    }
    session_.transcript().Line(line + (paragraphs->empty() ? "[]" : "]"));
  }
}

void ScriptRunner::PrintFile(const ScriptCommand& command) {
  const std::string& path = command.names.front();
  std::string bytes;
  if (!ReadWholeFile(RunPath(path), bytes))
    session_.Fail(command.line, "cannot read " + PlainText(path) + " in the run directory");
  // A document is shown as its reader would see it: one line per paragraph.
  if (EndsWith(path, ".docx")) {
    const std::optional<std::vector<std::string>> paragraphs = ReadDocxParagraphs(bytes);
    if (!paragraphs) session_.Fail(command.line, PlainText(path) + " is not a readable .docx");
    for (const std::string& paragraph : *paragraphs)
      session_.transcript().Line(QuoteText(Utf8ToGbk(paragraph)));
    return;
  }
  for (const std::string& line : SplitLines(bytes)) session_.transcript().Line(QuoteText(line));
}

}  // namespace velmora
