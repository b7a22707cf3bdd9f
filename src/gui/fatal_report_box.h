#pragma once

#include "runtime/fatal_error.h"

namespace velmora {

// Shows the fatal error report in a message box titled "错误" with the error icon.
class FatalReportBox final : public FatalErrorSink {
 public:
  void ShowFatalReport(std::string_view body) override;
};

}  // namespace velmora
