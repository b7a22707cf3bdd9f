#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"

namespace velmora {

// The document text: title, CR LF, then the entries numbered or not.
std::string BuildDocumentText(std::string_view title, const std::vector<std::string_view>& entries,
                              bool numbered);
void ExportDocument(AppContext& app);

}  // namespace velmora
