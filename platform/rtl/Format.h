// Format: the class library's text formatting, with its placeholders
//   "%" [index ":"] ["-"] [width] ["." precision] type
// where type is d, u, x (integers), e, f, g, n, m (floating point), s (text)
// or p (pointer), in either case; "*" takes index, width or precision from the
// next argument and "%%" is a percent sign. Arguments are TVarRec values, each
// remembering what kind of value it was given, so that a placeholder of the
// wrong kind raises EConvertError as the class library does.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

// One argument of Format: an integer, a floating-point number, a text or a
// pointer. UTF-16 texts are converted to 8-bit text; a char is a one-letter text.
class TVarRec {
public:
    // What the argument holds; Integer is a value of 32 bits or less, whose
    // hexadecimal and unsigned forms have 32 bits.
    enum class Kind { Integer, Int64, UInt64, Extended, String, Pointer };

    // A Boolean is no Format argument in the class library: write int(b) or a text.
    TVarRec(bool) = delete;
    // A single character, formatted by %s.
    TVarRec(char c) : kind_(Kind::String), string_(1, c) {}
    // Integers of every width, and enumerations as their ordinal.
    template <class T>
    requires(std::is_integral_v<T> || std::is_enum_v<T>)
        TVarRec(T value) { // NOLINT(google-explicit-constructor): arguments convert implicitly
        using Int = typename std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>,
                                                std::type_identity<T>>::type;
        static_assert(!IsCharacterType<Int>(), "character types are no Format integers");
        SetInteger(static_cast<Int>(value));
    }
    // Floating-point numbers, formatted by %e, %f, %g, %n and %m.
    template <std::floating_point T>
    TVarRec(T value) : kind_(Kind::Extended), float_(static_cast<double>(value)) {}
    // 8-bit texts; a null pointer is the empty text.
    TVarRec(const char* s) : kind_(Kind::String), string_(s ? s : "") {}
    TVarRec(std::string s) : kind_(Kind::String), string_(std::move(s)) {}
    TVarRec(std::string_view s) : kind_(Kind::String), string_(s) {}
    // UTF-16 texts, converted to 8-bit text.
    TVarRec(std::u16string_view s);
    TVarRec(const std::u16string& s) : TVarRec(std::u16string_view(s)) {}
    TVarRec(const char16_t* s) : TVarRec(std::u16string_view(s ? s : u"")) {}
    // Pointers, formatted by %p.
    TVarRec(const void* p) : kind_(Kind::Pointer), pointer_(p) {}
    TVarRec(std::nullptr_t) : kind_(Kind::Pointer) {}

    // What the argument holds.
    Kind VType() const { return kind_; }
    // True for the three integer kinds.
    bool IsInteger() const { return kind_ <= Kind::UInt64; }
    // The integer as a signed value (an UInt64 above INT64_MAX wraps).
    int64_t AsInt64() const { return static_cast<int64_t>(bits_); }
    // The integer's bits (Integer sign-extended to 64 bits).
    uint64_t AsBits() const { return bits_; }
    // The floating-point value.
    double AsExtended() const { return float_; }
    // The text.
    const std::string& AsString() const { return string_; }
    // The pointer.
    const void* AsPointer() const { return pointer_; }

private:
    template <class Int> static constexpr bool IsCharacterType() {
        return std::is_same_v<Int, wchar_t> || std::is_same_v<Int, char8_t> ||
               std::is_same_v<Int, char16_t> || std::is_same_v<Int, char32_t>;
    }
    template <class Int> void SetInteger(Int value) {
        if constexpr (std::is_signed_v<Int>)
            kind_ = sizeof(Int) <= 4 ? Kind::Integer : Kind::Int64;
        else
            kind_ = sizeof(Int) < 4 ? Kind::Integer : sizeof(Int) == 4 ? Kind::Int64 : Kind::UInt64;
        bits_ = static_cast<uint64_t>(value);
        if constexpr (std::is_signed_v<Int>)
            bits_ = static_cast<uint64_t>(static_cast<int64_t>(value));
    }

    Kind kind_ = Kind::Integer;
    uint64_t bits_ = 0;
    double float_ = 0;
    std::string string_;
    const void* pointer_ = nullptr;
};

// The class library's Format: the pattern with its placeholders replaced by
// the arguments. A placeholder without an argument or of the wrong kind raises
// EConvertError ("No argument for format '%s'", "Format '%s' invalid or
// incompatible with argument").
std::string Format(std::string_view format, std::span<const TVarRec> args);
// Format over a braced list: Format("%s error: %d", {name, code}).
inline std::string Format(std::string_view format, std::initializer_list<TVarRec> args) {
    return Format(format, std::span<const TVarRec>(args.begin(), args.size()));
}
