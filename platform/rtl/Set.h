// The class library's set types: a set of enumeration values is a bit mask
// whose bit n stands for the value of ordinal n, so a set keeps the class
// library's bit numbering when it is stored or compared with a stored mask.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

// A set of values of the enumeration E held in the unsigned integer Bits.
template <class E, class Bits = uint32_t> class TSet {
    static_assert(std::is_enum_v<E> && std::is_unsigned_v<Bits>);

public:
    // The empty set.
    constexpr TSet() = default;
    // The set of the listed values: TSet<THost>{ohaOutlook, ohaWord}.
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values)
            bits_ |= Bit(v);
    }
    // The set whose mask is `mask` (bit n = ordinal n).
    static constexpr TSet FromMask(Bits mask) {
        TSet s;
        s.bits_ = mask;
        return s;
    }
    // The mask (bit n = ordinal n).
    constexpr Bits Mask() const { return bits_; }

    // True when the value is in the set (the class library's "in").
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    // True when the set has no value.
    constexpr bool Empty() const { return bits_ == 0; }
    // Adds a value.
    constexpr TSet& Include(E v) { return bits_ |= Bit(v), *this; }
    // Removes a value.
    constexpr TSet& Exclude(E v) { return bits_ &= ~Bit(v), *this; }

    // Union, intersection and difference.
    constexpr TSet operator+(TSet o) const { return FromMask(bits_ | o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromMask(bits_ & o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromMask(bits_ & ~o.bits_); }
    constexpr TSet& operator+=(TSet o) { return bits_ |= o.bits_, *this; }
    constexpr TSet& operator*=(TSet o) { return bits_ &= o.bits_, *this; }
    constexpr TSet& operator-=(TSet o) { return bits_ &= ~o.bits_, *this; }
    // True when every value of this set is in `o` (the class library's "<=").
    constexpr bool IsSubsetOf(TSet o) const { return (bits_ & ~o.bits_) == 0; }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr Bits Bit(E v) {
        return static_cast<Bits>(Bits(1) << static_cast<unsigned>(v));
    }
    Bits bits_ = 0;
};
