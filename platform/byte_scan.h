// Finding the next byte of a small set in a text, 16 bytes at a time where SSE2 is there (always
// on x86-64), one byte at a time otherwise. Building with FONTSCAN_PORTABLE_SCAN defined forces
// the plain loops, so that they are built and tested too.
#pragma once

#include <cstddef>

#if defined(__SSE2__) && !defined(FONTSCAN_PORTABLE_SCAN)
#include <emmintrin.h>
#define FONTSCAN_SCAN_SSE2 1
#endif

namespace fontscan::platform {

// How many bytes the scans below look at in one step.
#ifdef FONTSCAN_SCAN_SSE2
inline constexpr std::size_t kScanWidth = 16;
#else
inline constexpr std::size_t kScanWidth = 1;
#endif

// The first byte in [begin, end) equal to `a` or `b`, or `end`.
inline const char* FindEitherOf(const char* begin, const char* end, char a, char b) {
  const char* p = begin;
#ifdef FONTSCAN_SCAN_SSE2
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  for (; end - p >= 16; p += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, va), _mm_cmpeq_epi8(block, vb)));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
  }
#endif
  for (; p < end; ++p) {
    if (*p == a || *p == b) return p;
  }
  return end;
}

#ifdef FONTSCAN_SCAN_SSE2
// Four bytes to compare 16 bytes against at once.
struct FourBytes {
  FourBytes(char a, char b, char c, char d)
      : va(_mm_set1_epi8(a)), vb(_mm_set1_epi8(b)), vc(_mm_set1_epi8(c)), vd(_mm_set1_epi8(d)) {}
  // Bit i set when byte i of the 16 at `p` is one of the four.
  int Matches(const char* p) const {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i ab = _mm_or_si128(_mm_cmpeq_epi8(block, va), _mm_cmpeq_epi8(block, vb));
    const __m128i cd = _mm_or_si128(_mm_cmpeq_epi8(block, vc), _mm_cmpeq_epi8(block, vd));
    return _mm_movemask_epi8(_mm_or_si128(ab, cd));
  }
  __m128i va, vb, vc, vd;
};
#endif

// The first byte in [begin, end) equal to one of `a`, `b`, `c` and `d`, or `end`.
inline const char* FindAnyOf4(const char* begin, const char* end, char a, char b, char c, char d) {
  const char* p = begin;
#ifdef FONTSCAN_SCAN_SSE2
  const FourBytes set(a, b, c, d);
  for (; end - p >= 16; p += 16) {
    const int hits = set.Matches(p);
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
  }
#endif
  for (; p < end; ++p) {
    if (*p == a || *p == b || *p == c || *p == d) return p;
  }
  return end;
}

// The first byte in [begin, end) equal to none of `a`, `b`, `c` and `d`, or `end`.
inline const char* FindNoneOf4(const char* begin, const char* end, char a, char b, char c, char d) {
  const char* p = begin;
#ifdef FONTSCAN_SCAN_SSE2
  const FourBytes set(a, b, c, d);
  for (; end - p >= 16; p += 16) {
    const int others = ~set.Matches(p) & 0xFFFF;
    if (others != 0) return p + __builtin_ctz(static_cast<unsigned>(others));
  }
#endif
  for (; p < end; ++p) {
    if (*p != a && *p != b && *p != c && *p != d) return p;
  }
  return end;
}

}  // namespace fontscan::platform
