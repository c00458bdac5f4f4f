#pragma once

#include <string>
#include <vector>

// What the benchmark programs print for bench/run.sh: tab-separated "row" lines
// (metric, measured, target, verdict), with the helpers to fill them.
namespace BenchTable {

double median(std::vector<double> values);
// One number through a printf pattern.
std::string format(const char *pattern, double value);
void row(const std::string &metric, const std::string &measured, const std::string &target,
         const std::string &verdict);

} // namespace BenchTable
