#include "win32/fatal_report_box.h"

#include "win32/wide_text.h"

namespace velmora {

void FatalReportBox::ShowFatalReport(std::string_view body) {
  MessageBoxW(nullptr, Wide(body).c_str(), L"错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace velmora
