#include "BenchTable.h"

#include <algorithm>
#include <cstdio>

double BenchTable::median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::string BenchTable::format(const char *pattern, double value)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void BenchTable::row(const std::string &metric, const std::string &measured, const std::string &target,
                     const std::string &verdict)
{
    std::printf("row\t%s\t%s\t%s\t%s\n", metric.c_str(), measured.c_str(), target.c_str(), verdict.c_str());
}
