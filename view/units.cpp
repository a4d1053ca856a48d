#include "view/units.h"

#include <cmath>

namespace gosei::view {

int pixelsForPoints(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

}  // namespace gosei::view
