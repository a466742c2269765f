// The parsed form: what the text of a stored form says, before anything is
// built from it. The parser (FormParser.h) turns the text into these nodes; the
// reader (FormReader.h) walks them to create components and set properties.
// Keeping the two apart means a form with a syntax error is refused before a
// single component exists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

struct FormValue;
struct FormProperty;

// One item of a collection value: `item [index] <properties> end`.
struct FormCollectionItem {
    // The order index written as `item [n]`, or -1 when there is none.
    int Index = -1;
    // Line of the `item` keyword.
    int Line = 0;
    // The item's properties in the order written.
    std::vector<FormProperty> Properties;
};

// A property value of the form text.
struct FormValue {
    enum class Kind {
        String,     // 'text'#13#10'more' (Text, UTF-8)
        Integer,    // 12, -3, $FF (Integer)
        Float,      // 1.5, -2.0E3 (Float)
        Identifier, // True, csLarge, ImageList1, Owner.Name, nil (Text)
        Set,        // [a, b] (Elements: identifiers, or numbers as decimal text)
        List,       // ( 'a' 'b' ) (Items)
        Collection, // < item ... end > (CollectionItems)
        Binary,     // { 0A0B } (Bytes)
    };

    // The kind of value; the member named beside it in Kind holds it.
    Kind Type = Kind::Identifier;
    // Line where the value starts.
    int Line = 0;
    // A string's or an identifier's text.
    std::string Text;
    // An integer's value.
    int64_t Integer = 0;
    // A float's value.
    double Float = 0;
    // A set's elements in the order written.
    std::vector<std::string> Elements;
    // A list's values.
    std::vector<FormValue> Items;
    // A collection's items.
    std::vector<FormCollectionItem> CollectionItems;
    // Binary data.
    std::vector<uint8_t> Bytes;

    // The kind's name as error messages give it ("string", "integer", ...).
    static const char* KindName(Kind kind);
};

// `Name = value`; Name may be dotted (`Font.Style`).
struct FormProperty {
    // The property's name or dotted path.
    std::string Name;
    // Its value.
    FormValue Value;
    // Line of the property's name.
    int Line = 0;
};

// `object Name: TClass ... end`.
struct FormObject {
    // Empty for an unnamed object (`object TClass`).
    std::string Name;
    // The class named after the colon.
    std::string ClassName;
    // Line of the `object` keyword.
    int Line = 0;
    // The object's properties in the order written.
    std::vector<FormProperty> Properties;
    // The nested objects in the order written.
    std::vector<FormObject> Children;
};

} // namespace forms
