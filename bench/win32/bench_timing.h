#pragma once

#include <vector>

namespace velmora {

// Milliseconds on the performance counter.
double NowMs();
double Median(std::vector<double> values);

}  // namespace velmora
