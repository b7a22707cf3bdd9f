#pragma once

// A started program on a fresh run directory with scripted dialogs, for the tests of startup,
// the Preset files and commands and the Tag selection. ASCII only: names of controls and
// message texts stay in the test sources.

#include <stdlib.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/program.h"
#include "runtime/clock.h"
#include "runtime/file_system.h"
#include "runtime/gbk_codec.h"
#include "temp_folder.h"
#include "ui/dialogs.h"

namespace velmora::testing {

struct ShownDialog {
  std::string title;
  std::string text;
  int flags = 0;
  bool input = false;
};

// Message boxes answer OK unless an answer is queued; input boxes take the queued texts
// (none: Cancel).
class ScriptedDialogs final : public Dialogs {
 public:
  int MessageBox(std::string_view text, int flags, std::string_view title) override {
    shown.push_back({std::string(title), std::string(text), flags, false});
    if (answers.empty()) return kResultOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool InputBox(std::string_view prompt, std::string_view title, std::string& text) override {
    shown.push_back({std::string(title), std::string(prompt), 0, true});
    std::optional<std::string> typed;
    if (!inputs.empty()) {
      typed = inputs.front();
      inputs.pop_front();
    }
    if (!typed) return false;
    text = *typed;
    return true;
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const ShownDialog& dialog : shown) titles.push_back(dialog.title);
    return titles;
  }

  std::vector<ShownDialog> shown;
  std::deque<int> answers;
  std::deque<std::optional<std::string>> inputs;
};

class NullShell final : public Shell {
 public:
  void ShowFolder(std::string_view) override {}
};

class NoModalHost final : public ModalHost {
 public:
  void RunModal(WindowId) override {}
};

class ProgramHarness {
 public:
  // Starts (or restarts) the program: its startup routine runs on the files present.
  void Start() {
    program_.reset();
    program_ = std::make_unique<Program>(directory_.path(),
                                         ProgramServices{clock_, dialogs, shell_, modal_host_});
  }
  ControlModel& model() { return program_->model(); }
  AppContext& app() { return program_->context(); }
  ControlRef Control(std::string_view gbk_name) { return app().MainControl(gbk_name); }
  const std::string& run_directory() const { return directory_.path(); }

  // Files by a GBK path relative to the run directory ("Data\\x.ini").
  std::filesystem::path Native(std::string_view relative) const {
    return PathFromUtf8(NativePath(directory_.path() + "\\" + std::string(relative)));
  }
  void WriteFile(std::string_view relative, std::string_view bytes) const {
    std::filesystem::create_directories(Native(relative).parent_path());
    std::ofstream(Native(relative), std::ios::binary) << bytes;
  }
  std::optional<std::string> ReadFile(std::string_view relative) const {
    std::ifstream in(Native(relative), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Every file under the run directory with its bytes, for "nothing else changed".
  std::vector<std::pair<std::string, std::string>> Snapshot() const {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory_.path())) {
      std::string bytes = entry.is_regular_file() ? "" : "<folder>";
      if (entry.is_regular_file()) {
        std::ifstream in(entry.path(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }
      files.emplace_back(Utf8FromPath(entry.path()), bytes);
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  ScriptedDialogs dialogs;

 private:
  TempFolder directory_;  // the run directory
  FixedClock clock_{46037.4375};
  NullShell shell_;
  NoModalHost modal_host_;
  std::unique_ptr<Program> program_;
};

}  // namespace velmora::testing
