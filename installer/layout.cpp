#include "installer/layout.h"

#include <cstdint>

namespace qm::installer {

TWindowPlace WindowPlaceFor(int fullScreenWidth, int fullScreenHeight, int captionButtonHeight, int minWindowHeight) {
    // Sums in 64 bits, so that no metric can overflow them; C++ division truncates toward zero,
    // also for the negative inner term that large metrics give.
    const int64_t x = (int64_t{fullScreenWidth} / 2) - (WindowWidth / 2);
    const int64_t lift = (int64_t{WindowBaseHeight} - (int64_t{captionButtonHeight} + minWindowHeight)) / 2;
    const int64_t y = (int64_t{fullScreenHeight} / 2) - lift;
    const int64_t height = int64_t{WindowBaseHeight} + captionButtonHeight;
    return {static_cast<int>(x), static_cast<int>(y), WindowWidth, static_cast<int>(height)};
}

}  // namespace qm::installer
