#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace gosei::networks {

// The standard series of preferred values (IEC 60063).
enum class ESeries { E1, E3, E6, E12, E24, E48, E96, E192 };

// "E1", "E3", ..., "E192"; anything else names no series.
std::optional<ESeries> eSeriesFromName(std::string_view name);
std::string_view eSeriesName(ESeries series);

// The values of one decade as three-figure integers from 100 to 999, in
// ascending order: 470 stands for 4.7, 487 for 4.87.
std::span<const int> decadeMantissas(ESeries series);

// Every value of the series from `low` to `high`, both included, ascending.
// Each value is the correctly rounded double of its decimal form.
std::vector<double> eSeriesValues(ESeries series, double low, double high);

}  // namespace gosei::networks
