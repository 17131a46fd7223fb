#pragma once

#include <cstdint>
#include <functional>

namespace automation {

// A counted loop from `first` to `count` over Outlook's 16-bit indexes. The counter itself is
// wider, so a count of 32,767 ends the loop instead of wrapping it.
inline void ForEachIndex(int32_t first, int16_t count, const std::function<void(int16_t)>& body) {
    for (int32_t index = first; index <= count; ++index) body(static_cast<int16_t>(index));
}

// The same from 1.
inline void ForEachIndex(int16_t count, const std::function<void(int16_t)>& body) { ForEachIndex(1, count, body); }

}  // namespace automation
