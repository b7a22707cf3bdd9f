#include "app/time_difference.h"

#include <cmath>

#include "runtime/date_time.h"
#include "runtime/text_ops.h"
#include "ui/control_names.h"

namespace velmora {

void OpenTimeDifference(AppContext& app) {
  // Loaded afresh each time, so the result box starts empty and both dates show today.
  app.model.LoadWindow(WindowKind::kTimeDifference, true);
}

void ComputeTimeDifference(AppContext& app, WindowId window) {
  const DateTime end = app.model.Date(app.model.Find(window, kEndDateBoxName));
  const DateTime start = app.model.Date(app.model.Find(window, kStartDateBoxName));
  const double months = std::fabs(DateInterval(end, start));
  app.model.SetText(app.model.Find(window, kMonthsBoxName), ToText(months));
}

}  // namespace velmora
