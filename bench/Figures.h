#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// The repetitions of each measure, and what is reported of them.
namespace bench {

struct Figure {
    std::vector<double> values;

    double Median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double Min() const { return *std::min_element(values.begin(), values.end()); }
    double Max() const { return *std::max_element(values.begin(), values.end()); }
};

// Measures by name, in seconds unless named otherwise.
using Figures = std::map<std::string, Figure>;

// The ratio of two measures in each repetition: both were run side by side,
// so the spread of the ratio shows the noise the medians hide.
inline Figure Ratio(const Figure& program, const Figure& floor) {
    Figure ratio;
    for (std::size_t i = 0; i < program.values.size() && i < floor.values.size(); ++i) {
        ratio.values.push_back(program.values[i] / floor.values[i]);
    }
    return ratio;
}

// (program - floor) / folders in each repetition, in microseconds: the
// program's own cost, which depends far less on the machine than a ratio.
inline Figure OwnCostPerFolder(const Figure& program, const Figure& floor, double folders) {
    Figure own;
    for (std::size_t i = 0; i < program.values.size() && i < floor.values.size(); ++i) {
        own.values.push_back((program.values[i] - floor.values[i]) / folders * 1e6);
    }
    return own;
}

}  // namespace bench
