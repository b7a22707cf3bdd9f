#include "app/failure_log.h"

#include <cstdio>
#include <string>

#include "runtime/gbk_codec.h"

namespace velmora {

void LogFailureCause(std::string_view title, const FileResult& failure) {
  if (failure.ok()) return;
  std::string line = "velmora: ";
  line.append(GbkToUtf8(title)).append(": ").append(failure.cause()).append("\n");
  // One write, so that the line is not broken up by other output.
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace velmora
