#include "app/message_boxes.h"

#include <string>

#include "runtime/gbk_codec.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

// The last part of a native path, in GBK.
std::string HeldFileName(const FileResult& failure) {
  const std::string& path = failure.held_file();
  const std::size_t separator = path.find_last_of("/\\");
  return Utf8ToGbk(separator == std::string::npos ? path : path.substr(separator + 1));
}

}  // namespace

void TellFailure(AppContext& app, std::string_view title, std::string_view text,
                 const FileResult& failure) {
  LogFailureCause(title, failure);
  if (failure.held()) {
    Tell(app, title,
         ConcatText(
             {title, "：文件“", HeldFileName(failure), "”可能正被其他程序打开，请关闭后重试。"}));
  } else {
    Tell(app, title, text);
  }
}

}  // namespace velmora
