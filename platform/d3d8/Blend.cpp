// Alpha blending of spans: the scalar reference and SSE2 paths for the pairs the game draws most.
#include "platform/d3d8/Blend.h"

#include <cstring>

#include "platform/d3d8/PixelCodec.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plat::d3d8 {

namespace {

inline uint32_t BlendChannel(uint32_t s, uint32_t d, uint32_t a) {
  return (s * a + d * (255 - a) + 127) / 255;
}

inline uint32_t BlendArgb(uint32_t s, uint32_t d) {
  const uint32_t a = s >> 24;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= BlendChannel((s >> shift) & 0xFF, (d >> shift) & 0xFF, a) << shift;
  }
  return out;
}

#if defined(__SSE2__)

// x / 255 for 0 <= x <= 65152, exactly, in each 16-bit lane: (x + 1 + (x >> 8)) >> 8.
inline __m128i Div255(__m128i x) {
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
}

// (s·a + d·(255−a) + 127) / 255 in 16-bit lanes holding 0..255.
inline __m128i BlendLanes(__m128i s, __m128i d, __m128i a) {
  const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), a);
  const __m128i sum =
      _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, inverse)), _mm_set1_epi16(127));
  return Div255(sum);
}

// Eight R5G6B5 destination pixels under eight sources given as 8-bit lanes per channel.
inline __m128i BlendOnto565(__m128i sa, __m128i sr, __m128i sg, __m128i sb, __m128i d) {
  const __m128i m5 = _mm_set1_epi16(31), m6 = _mm_set1_epi16(63);
  const __m128i r5 = _mm_srli_epi16(d, 11);
  const __m128i g6 = _mm_and_si128(_mm_srli_epi16(d, 5), m6);
  const __m128i b5 = _mm_and_si128(d, m5);
  const __m128i dr = _mm_or_si128(_mm_slli_epi16(r5, 3), _mm_srli_epi16(r5, 2));
  const __m128i dg = _mm_or_si128(_mm_slli_epi16(g6, 2), _mm_srli_epi16(g6, 4));
  const __m128i db = _mm_or_si128(_mm_slli_epi16(b5, 3), _mm_srli_epi16(b5, 2));
  const __m128i r = BlendLanes(sr, dr, sa), g = BlendLanes(sg, dg, sa), b = BlendLanes(sb, db, sa);
  return _mm_or_si128(
      _mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11), _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
      _mm_srli_epi16(b, 3));
}

// Channel c (shift 0, 8, 16, 24) of eight A8R8G8B8 pixels as 16-bit lanes.
template <int kShift>
inline __m128i Channel8888(__m128i lo, __m128i hi) {
  const __m128i mask = _mm_set1_epi32(0xFF);
  const __m128i l = _mm_and_si128(_mm_srli_epi32(lo, kShift), mask);
  const __m128i h = _mm_and_si128(_mm_srli_epi32(hi, kShift), mask);
  return _mm_packs_epi32(l, h);
}

int Blend8888Onto565(const uint8_t* src, uint8_t* dst, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 4));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 4 + 16));
    const __m128i alphaTest = _mm_or_si128(_mm_srli_epi32(lo, 24), _mm_srli_epi32(hi, 24));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphaTest, _mm_setzero_si128())) == 0xFFFF) continue;
    __m128i* d = reinterpret_cast<__m128i*>(dst + i * 2);
    const __m128i sa = _mm_packs_epi32(_mm_srli_epi32(lo, 24), _mm_srli_epi32(hi, 24));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(sa, _mm_set1_epi16(255))) == 0xFFFF) {
      // All opaque: the sources are stored, narrowed, without reading the destination.
      const __m128i r = Channel8888<16>(lo, hi), g = Channel8888<8>(lo, hi), b = Channel8888<0>(lo, hi);
      _mm_storeu_si128(d, _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11),
                                                    _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
                                       _mm_srli_epi16(b, 3)));
      continue;
    }
    const __m128i out = BlendOnto565(sa, Channel8888<16>(lo, hi), Channel8888<8>(lo, hi),
                                     Channel8888<0>(lo, hi), _mm_loadu_si128(d));
    _mm_storeu_si128(d, out);
  }
  return i;
}

int Blend4444Onto565(const uint8_t* src, uint8_t* dst, int count) {
  const __m128i m4 = _mm_set1_epi16(15), x17 = _mm_set1_epi16(17);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 2));
    const __m128i a4 = _mm_srli_epi16(s, 12);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(a4, _mm_setzero_si128())) == 0xFFFF) continue;
    __m128i* d = reinterpret_cast<__m128i*>(dst + i * 2);
    const __m128i sa = _mm_mullo_epi16(a4, x17);
    const __m128i sr = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 8), m4), x17);
    const __m128i sg = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 4), m4), x17);
    const __m128i sb = _mm_mullo_epi16(_mm_and_si128(s, m4), x17);
    _mm_storeu_si128(d, BlendOnto565(sa, sr, sg, sb, _mm_loadu_si128(d)));
  }
  return i;
}

// A8R8G8B8 over X8R8G8B8 or A8R8G8B8, four pixels a step; an X destination keeps its top byte 0xFF.
int Blend8888Onto8888(const uint8_t* src, uint8_t* dst, int count, bool destAlpha) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i forced = destAlpha ? zero : _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 4));
    const __m128i skip = _mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero);
    if (_mm_movemask_epi8(skip) == 0xFFFF) continue;
    __m128i* dp = reinterpret_cast<__m128i*>(dst + i * 4);
    const __m128i opaque = _mm_cmpeq_epi32(_mm_srli_epi32(s, 24), _mm_set1_epi32(255));
    if (_mm_movemask_epi8(opaque) == 0xFFFF) {
      _mm_storeu_si128(dp, _mm_or_si128(s, forced));
      continue;
    }
    const __m128i d = _mm_loadu_si128(dp);
    const __m128i slo = _mm_unpacklo_epi8(s, zero), shi = _mm_unpackhi_epi8(s, zero);
    const __m128i dlo = _mm_unpacklo_epi8(d, zero), dhi = _mm_unpackhi_epi8(d, zero);
    // Alpha is lane 3 of each pixel's four 16-bit lanes.
    const __m128i alo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(slo, 0xFF), 0xFF);
    const __m128i ahi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(shi, 0xFF), 0xFF);
    __m128i out = _mm_packus_epi16(BlendLanes(slo, dlo, alo), BlendLanes(shi, dhi, ahi));
    out = _mm_or_si128(out, forced);
    out = _mm_or_si128(_mm_and_si128(skip, d), _mm_andnot_si128(skip, out));
    _mm_storeu_si128(dp, out);
  }
  return i;
}

#endif

// Source rows without alpha or marks copy (converting) straight through.
void CopySpan(D3DFORMAT sourceFormat, const uint8_t* source, D3DFORMAT destFormat, uint8_t* dest, int count,
              int sourceBytes, int destBytes) {
  if (sourceFormat == destFormat) {
    std::memcpy(dest, source, static_cast<size_t>(count) * sourceBytes);
    return;
  }
  uint32_t argb[256];
  for (int i = 0; i < count; i += 256) {
    const int n = count - i < 256 ? count - i : 256;
    DecodeRow(sourceFormat, source + i * sourceBytes, n, argb, nullptr);
    EncodeRow(destFormat, argb, n, dest + i * destBytes, nullptr);
  }
}

}  // namespace

void BlendSpanScalar(D3DFORMAT sourceFormat, const uint8_t* source, const uint8_t* marks,
                     D3DFORMAT destFormat, uint8_t* dest, int count) {
  const FormatInfo* sourceInfo = FindFormat(sourceFormat);
  const FormatInfo* destInfo = FindFormat(destFormat);
  if (!sourceInfo || !destInfo) return;
  for (int i = 0; i < count; ++i) {
    if (marks && marks[i]) continue;
    const uint32_t s = DecodePixel(sourceFormat, source + i * sourceInfo->bytes, nullptr);
    const uint32_t a = s >> 24;
    if (a == 0) continue;
    uint8_t* d = dest + i * destInfo->bytes;
    EncodePixel(destFormat, a == 255 ? s : BlendArgb(s, DecodePixel(destFormat, d, nullptr)), d, nullptr);
  }
}

void BlendSpan(D3DFORMAT sourceFormat, const uint8_t* source, const uint8_t* marks, D3DFORMAT destFormat,
               uint8_t* dest, int count) {
  const FormatInfo* sourceInfo = FindFormat(sourceFormat);
  const FormatInfo* destInfo = FindFormat(destFormat);
  if (!sourceInfo || !destInfo || count <= 0) return;
  if (!sourceInfo->alpha && !marks) {
    CopySpan(sourceFormat, source, destFormat, dest, count, sourceInfo->bytes, destInfo->bytes);
    return;
  }
  int done = 0;
#if defined(__SSE2__)
  if (!marks) {
    if (sourceFormat == D3DFMT_A8R8G8B8 && destFormat == D3DFMT_R5G6B5) {
      done = Blend8888Onto565(source, dest, count);
    } else if (sourceFormat == D3DFMT_A4R4G4B4 && destFormat == D3DFMT_R5G6B5) {
      done = Blend4444Onto565(source, dest, count);
    } else if (sourceFormat == D3DFMT_A8R8G8B8 &&
               (destFormat == D3DFMT_X8R8G8B8 || destFormat == D3DFMT_A8R8G8B8)) {
      done = Blend8888Onto8888(source, dest, count, destFormat == D3DFMT_A8R8G8B8);
    }
  }
#endif
  BlendSpanScalar(sourceFormat, source + done * sourceInfo->bytes, marks ? marks + done : nullptr, destFormat,
                  dest + done * destInfo->bytes, count - done);
}

}  // namespace plat::d3d8
