#pragma once

#include "runtime/fatal_error.h"

namespace velmora {

// The fatal error report: a message box without owner, titled "错误", with the error icon.
class FatalReportBox final : public FatalErrorSink {
 public:
  void ShowFatalReport(std::string_view body) override;
};

}  // namespace velmora
