// The COM basics the DirectX stand-ins share: HRESULT result codes and GUID interface identifiers.
#pragma once

#include <cstdint>

#include "platform/win/kernel/Types.h"

namespace plat::win {

// Negative values are failures; zero and positive ones are successes (some carry a warning).
using HRESULT = int32_t;

inline constexpr bool SUCCEEDED(HRESULT result) {
  return result >= 0;
}
inline constexpr bool FAILED(HRESULT result) {
  return result < 0;
}

// Failure codes are written as their unsigned hexadecimal value, as every Windows reference quotes them.
inline constexpr HRESULT MakeHResult(uint32_t value) {
  return static_cast<HRESULT>(value);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = MakeHResult(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = MakeHResult(0x80004002u);
inline constexpr HRESULT E_POINTER = MakeHResult(0x80004003u);
inline constexpr HRESULT E_FAIL = MakeHResult(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = MakeHResult(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = MakeHResult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = MakeHResult(0x80070057u);
inline constexpr HRESULT CO_E_NOTINITIALIZED = MakeHResult(0x800401F0u);

// Interface and algorithm identifiers; only equality matters to the stand-ins.
struct GUID {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using REFIID = const GUID&;
using REFGUID = const GUID&;

inline constexpr GUID GUID_NULL{};

}  // namespace plat::win
