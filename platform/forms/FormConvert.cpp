// Conversions of form values to property types.
#include "platform/forms/FormConvert.h"

#include "platform/forms/FormConsts.h"
#include "platform/text/Text.h"

namespace forms {

void WrongKind(const FormValue& value, FormReader& reader, const char* expected) {
    reader.Fail(std::string(FormConsts::SInvalidPropertyValue) + ": " + expected +
                " expected but " + FormValue::KindName(value.Type) + " found");
}

bool ReadBool(const FormValue& value, FormReader& reader) {
    if (value.Type == FormValue::Kind::Identifier) {
        if (text::SameText(value.Text, "True"))
            return true;
        if (text::SameText(value.Text, "False"))
            return false;
    }
    WrongKind(value, reader, "True or False");
}

int64_t ReadInteger(const FormValue& value, FormReader& reader, int64_t min, int64_t max) {
    if (value.Type != FormValue::Kind::Integer)
        WrongKind(value, reader, "integer");
    if (value.Integer < min || value.Integer > max)
        reader.Fail(std::string(FormConsts::SInvalidPropertyValue) + ": " +
                    std::to_string(value.Integer) + " is not between " + std::to_string(min) +
                    " and " + std::to_string(max));
    return value.Integer;
}

double ReadFloat(const FormValue& value, FormReader& reader) {
    if (value.Type == FormValue::Kind::Float)
        return value.Float;
    if (value.Type == FormValue::Kind::Integer)
        return static_cast<double>(value.Integer);
    WrongKind(value, reader, "number");
}

std::string ReadString(const FormValue& value, FormReader& reader) {
    if (value.Type != FormValue::Kind::String)
        WrongKind(value, reader, "string");
    return value.Text;
}

std::u16string ReadWideString(const FormValue& value, FormReader& reader) {
    return text::Utf8ToUtf16(ReadString(value, reader));
}

std::vector<uint8_t> ReadBinary(const FormValue& value, FormReader& reader) {
    if (value.Type != FormValue::Kind::Binary)
        WrongKind(value, reader, "binary data");
    return value.Bytes;
}

std::vector<std::string> ReadStrings(const FormValue& value, FormReader& reader) {
    if (value.Type != FormValue::Kind::List)
        WrongKind(value, reader, "list of strings");
    std::vector<std::string> strings;
    strings.reserve(value.Items.size());
    for (const FormValue& item : value.Items)
        strings.push_back(ReadString(item, reader));
    return strings;
}

int ReadEnum(const FormValue& value, FormReader& reader, const std::vector<std::string>& names) {
    if (value.Type != FormValue::Kind::Identifier)
        WrongKind(value, reader, "identifier");
    for (size_t i = 0; i < names.size(); ++i)
        if (text::SameText(names[i], value.Text))
            return static_cast<int>(i);
    reader.Fail(std::string(FormConsts::SInvalidPropertyValue) + ": " + value.Text +
                " is no value of this property");
}

uint64_t ReadSet(const FormValue& value, FormReader& reader,
                 const std::vector<std::string>& names) {
    if (value.Type != FormValue::Kind::Set)
        WrongKind(value, reader, "set");
    uint64_t mask = 0;
    for (const std::string& element : value.Elements) {
        size_t bit = names.size();
        if (!element.empty() && element[0] >= '0' && element[0] <= '9') {
            if (element.size() <= 2)
                bit = std::stoul(element);
        } else {
            for (size_t i = 0; i < names.size(); ++i)
                if (text::SameText(names[i], element))
                    bit = i;
        }
        if (bit >= names.size() || bit >= 64)
            reader.Fail(std::string(FormConsts::SInvalidPropertyValue) + ": " + element +
                        " is no element of this set");
        mask |= uint64_t(1) << bit;
    }
    return mask;
}

} // namespace forms
