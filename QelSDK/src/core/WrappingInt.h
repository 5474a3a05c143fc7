// Signed 32-bit sums and differences that wrap, as the engine's integer geometry expects.
#pragma once

#include <cstdint>

namespace Qel {

// Done in unsigned arithmetic so that an overflow wraps instead of being undefined behaviour.
constexpr int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int32_t WrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace Qel
