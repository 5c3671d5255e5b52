// Finding every LF of a block quickly: 64 bytes at a time into a bit mask,
// then one step per line instead of one call per line; and the first of a
// byte in a line.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dictionary {

// Calls `onLineFeed(size_t position)` for every LF in data[from, to), in order.
template <class OnLineFeed>
inline void ForEachLineFeed(const char* data, size_t from, size_t to, OnLineFeed&& onLineFeed) {
  size_t i = from;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  for (; i + 64 <= to; i += 64) {
    auto maskOf = [&](size_t at) {
      __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
      return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf))));
    };
    uint64_t mask = maskOf(i) | maskOf(i + 16) << 16 | maskOf(i + 32) << 32 | maskOf(i + 48) << 48;
    while (mask != 0) {
      onLineFeed(i + static_cast<size_t>(__builtin_ctzll(mask)));
      mask &= mask - 1;
    }
  }
#endif
  for (; i < to; ++i) {
    if (data[i] == '\n') onLineFeed(i);
  }
}

// Where the first `byte` of data[0, size) stands, or `size`. Sixteen bytes at
// a time: the C runtime the program is built against looks at one at a time.
inline size_t FindByte(const char* data, size_t size, char byte) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(byte);
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted));
    if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < size; ++i) {
    if (data[i] == byte) return i;
  }
  return size;
}

}  // namespace dictionary
