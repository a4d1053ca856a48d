#pragma once

#include "engine/input.h"
#include "engine/series.h"
#include "engine/window_operations.h"

namespace gosei {

// One button press, start to end:
//   prepareInput   read both boxes, normalise the target, check the tolerance
//   seriesSearch   pairs whose sum comes close, widening pass by pass
//   writeBlock     the series block
//   parallelSearch pairs whose parallel value comes close
//   writeBlock     the parallel block (over any "warning")
//   cleanUpGrid    empty rows without a candidate, "不要" beside a lone part
// A refused tolerance or an unusable target ends it after its message, with
// the grid untouched.
InputOutcome runCalculation(Series series, WindowOperations& window);

}  // namespace gosei
