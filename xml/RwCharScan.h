// The scanning loops under the character reader and the UTF-8 stream: they
// look at 16 bytes at a time where the processor has vector registers (every
// x86-64 has SSE2), and one character at a time elsewhere. Both ways give the
// same answer; the wide way only gets there sooner on long runs of text.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Widens the leading bytes of bytes[0, count) that are below 0x80 into out and
// returns how many there were. out must have room for count characters: a
// block is widened whole before its end is known.
inline size_t RwWidenAscii(const uint8_t* bytes, size_t count, char16_t* out) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; count - i >= 16; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(block, zero));
        // The top bit of every byte at or above 0x80.
        int high = _mm_movemask_epi8(block);
        if (high != 0)
            return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(high)));
    }
#endif
    for (; i < count && bytes[i] < 0x80; ++i)
        out[i] = bytes[i];
    return i;
}

// The first character of [p, end) that is stop or a control character (below
// U+0020), or end when there is none.
inline const char16_t* RwFindStopOrControl(const char16_t* p, const char16_t* end, char16_t stop) {
#if defined(__SSE2__)
    const __m128i stops = _mm_set1_epi16(static_cast<short>(stop));
    const __m128i lastControl = _mm_set1_epi16(0x1F);
    const __m128i zero = _mm_setzero_si128();
    for (; end - p >= 8; p += 8) {
        __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Taking 0x1F off with unsigned saturation leaves zero for controls only.
        __m128i control = _mm_cmpeq_epi16(_mm_subs_epu16(units, lastControl), zero);
        __m128i found = _mm_or_si128(control, _mm_cmpeq_epi16(units, stops));
        int mask = _mm_movemask_epi8(found);
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
#endif
    while (p < end && *p != stop && *p >= 0x20)
        ++p;
    return p;
}
