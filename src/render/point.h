#pragma once

namespace zov {

// A point in drawing units.
struct Point {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const Point&) const = default;
};

}  // namespace zov
