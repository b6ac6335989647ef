#pragma once

#include <QtGlobal>

#include <span>

// The check-box values of the program: 0 unticked, 1 ticked, 2 grey.
namespace CheckValue {
inline constexpr int Unticked = 0;
inline constexpr int Ticked = 1;
inline constexpr int Grey = 2;
} // namespace CheckValue

// Box i of an array stands for 2 to the power i; the mask is the sum over the
// boxes whose value is exactly 1, whatever their enabled or visible state.
inline qint64 maskOf(std::span<const int> boxValues) {
    qint64 mask = 0;
    for (std::size_t i = 0; i < boxValues.size(); ++i)
        if (boxValues[i] == CheckValue::Ticked)
            mask += qint64(1) << i;
    return mask;
}
