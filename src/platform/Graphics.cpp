#include "platform/Graphics.h"

#include <limits>

namespace corvane {

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > std::numeric_limits<std::int32_t>::max() || result < -std::numeric_limits<std::int32_t>::max()) {
        return -1;
    }
    return static_cast<std::int32_t>(result);
}

int DpiScale(int measure96, int dpi) { return MulDiv(measure96, dpi, DesignDpi); }

TPoint DpiScale(TPoint point96, int dpi) { return {DpiScale(point96.X, dpi), DpiScale(point96.Y, dpi)}; }

// The place and the size are scaled each, so that a scaled rectangle has exactly the scaled size.
TRect DpiScale(const TRect& rect96, int dpi) {
    const int left = DpiScale(rect96.Left, dpi);
    const int top = DpiScale(rect96.Top, dpi);
    return {left, top, left + DpiScale(rect96.Width(), dpi), top + DpiScale(rect96.Height(), dpi)};
}

int PointsToPixels96(int points) { return MulDiv(points, DesignDpi, 72); }

} // namespace corvane
