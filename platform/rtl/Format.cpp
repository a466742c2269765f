// Format: the placeholder parser and the formatting of each argument kind.
#include "platform/rtl/Format.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/RtlConsts.h"
#include "platform/text/Text.h"

#include <cstdio>

TVarRec::TVarRec(std::u16string_view s) : kind_(Kind::String), string_(text::Narrow(s)) {}

namespace {

// One placeholder as parsed: everything between "%" and the type letter.
struct Placeholder {
    bool LeftJustify = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0; // upper case
};

class Formatter {
public:
    Formatter(std::string_view format, std::span<const TVarRec> args)
        : format_(format), args_(args) {}

    std::string Run() {
        std::string out;
        out.reserve(format_.size() + 16 * args_.size());
        while (pos_ < format_.size()) {
            size_t percent = format_.find('%', pos_);
            if (percent == std::string_view::npos) {
                out.append(format_.substr(pos_));
                break;
            }
            out.append(format_.substr(pos_, percent - pos_));
            pos_ = percent + 1;
            if (pos_ < format_.size() && format_[pos_] == '%') {
                out.push_back('%');
                ++pos_;
                continue;
            }
            Placeholder p = Parse();
            Pad(out, FormatArgument(p, NextArgument()), p);
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const { throw EConvertError(RtlConsts::SInvalidFormat, {format_}); }

    const TVarRec& NextArgument() {
        if (argIndex_ >= args_.size())
            throw EConvertError(RtlConsts::SArgumentMissing, {format_});
        return args_[argIndex_++];
    }

    // No sane width or precision is larger: keeps the output bounded.
    static constexpr int kLargestNumber = 100000;

    // Digits or "*" (taken from the next argument); -1 when neither is there.
    int Number() {
        if (pos_ < format_.size() && format_[pos_] == '*') {
            ++pos_;
            const TVarRec& arg = NextArgument();
            if (!arg.IsInteger())
                Invalid();
            // An argument's value is held to the same bound as digits, on
            // both sides since a negative width justifies left.
            int64_t value = arg.AsInt64();
            if (value > kLargestNumber || value < -kLargestNumber ||
                (arg.VType() == TVarRec::Kind::UInt64 && arg.AsBits() > kLargestNumber))
                Invalid();
            return static_cast<int>(value);
        }
        int value = -1;
        while (pos_ < format_.size() && format_[pos_] >= '0' && format_[pos_] <= '9') {
            value = (value < 0 ? 0 : value) * 10 + (format_[pos_++] - '0');
            if (value > kLargestNumber)
                Invalid();
        }
        return value;
    }

    Placeholder Parse() {
        Placeholder p;
        bool widthRead = false;
        if (pos_ < format_.size() && format_[pos_] != '-') {
            int number = Number();
            if (pos_ < format_.size() && format_[pos_] == ':') {
                // "%1:s" picks the argument; the next plain placeholder takes the one after it.
                ++pos_;
                argIndex_ = static_cast<size_t>(number < 0 ? 0 : number);
            } else {
                p.Width = number;
                widthRead = true;
            }
        }
        if (!widthRead) {
            if (pos_ < format_.size() && format_[pos_] == '-') {
                p.LeftJustify = true;
                ++pos_;
            }
            p.Width = Number();
        }
        if (p.Width < -1) { // a negative "*" width justifies left, as in C
            p.LeftJustify = true;
            p.Width = -p.Width;
        }
        if (pos_ < format_.size() && format_[pos_] == '.') {
            ++pos_;
            p.Precision = Number();
            if (p.Precision < 0)
                p.Precision = 0;
        }
        if (pos_ >= format_.size())
            Invalid();
        char type = format_[pos_++];
        p.Type = text::AsciiUpper(type);
        return p;
    }

    std::string FormatArgument(const Placeholder& p, const TVarRec& arg) const {
        switch (p.Type) {
        case 'D':
        case 'U':
        case 'X':
            if (!arg.IsInteger())
                Invalid();
            return Integer(p, arg);
        case 'E':
        case 'F':
        case 'G':
        case 'N':
        case 'M':
            if (arg.VType() != TVarRec::Kind::Extended)
                Invalid();
            return Float(p, arg.AsExtended());
        case 'S':
            if (arg.VType() != TVarRec::Kind::String)
                Invalid();
            return p.Precision >= 0 ? FirstCharacters(arg.AsString(), p.Precision) : arg.AsString();
        case 'P': {
            if (arg.VType() != TVarRec::Kind::Pointer)
                Invalid();
            char buffer[24];
            std::snprintf(
                buffer, sizeof buffer, "%016llX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(arg.AsPointer())));
            return buffer;
        }
        default:
            Invalid();
        }
    }

    static std::string Integer(const Placeholder& p, const TVarRec& arg) {
        uint64_t magnitude = arg.AsBits();
        bool negative = false;
        if (p.Type == 'D') {
            if (arg.VType() != TVarRec::Kind::UInt64 && arg.AsInt64() < 0) {
                negative = true;
                magnitude = 0 - magnitude;
            }
        } else if (arg.VType() == TVarRec::Kind::Integer) {
            magnitude &= 0xFFFFFFFFu; // 32-bit values show their 32 bits
        }
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, p.Type == 'X' ? "%llX" : "%llu",
                      static_cast<unsigned long long>(magnitude));
        std::string digits = buffer;
        // The precision is the minimum number of digits.
        if (p.Precision > static_cast<int>(digits.size()))
            digits.insert(0, p.Precision - digits.size(), '0');
        return negative ? "-" + digits : digits;
    }

    static std::string Float(const Placeholder& p, double value) {
        const TFormatSettings& fs = FormatSettings;
        switch (p.Type) {
        case 'E':
            return FloatToStrF(value, ffExponent, p.Precision < 0 ? 15 : p.Precision, 3, fs);
        case 'G':
            return FloatToStrF(value, ffGeneral, p.Precision < 0 ? 15 : p.Precision, 3, fs);
        case 'F':
            return FloatToStrF(value, ffFixed, 18, p.Precision < 0 ? 2 : p.Precision, fs);
        case 'N':
            return FloatToStrF(value, ffNumber, 18, p.Precision < 0 ? 2 : p.Precision, fs);
        default:
            return FloatToStrF(value, ffCurrency, 18,
                               p.Precision < 0 ? fs.CurrencyDecimals : p.Precision, fs);
        }
    }

    // The first `count` characters of 8-bit text (a character may span bytes).
    static std::string FirstCharacters(const std::string& s, int count) {
        size_t pos = 0;
        for (int i = 0; i < count && pos < s.size(); ++i)
            text::DecodeAnsiChar(s, pos);
        return s.substr(0, pos);
    }

    static size_t CharacterCount(std::string_view s) {
        size_t count = 0;
        for (size_t pos = 0; pos < s.size(); ++count)
            text::DecodeAnsiChar(s, pos);
        return count;
    }

    static void Pad(std::string& out, const std::string& value, const Placeholder& p) {
        size_t length = p.Width > 0 ? CharacterCount(value) : 0;
        size_t fill = p.Width > 0 && static_cast<size_t>(p.Width) > length ? p.Width - length : 0;
        if (!p.LeftJustify)
            out.append(fill, ' ');
        out += value;
        if (p.LeftJustify)
            out.append(fill, ' ');
    }

    std::string_view format_;
    std::span<const TVarRec> args_;
    size_t pos_ = 0;
    size_t argIndex_ = 0;
};

} // namespace

std::string Format(std::string_view format, std::span<const TVarRec> args) {
    return Formatter(format, args).Run();
}
