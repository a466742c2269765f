// The parser of stored forms.
#include "platform/forms/FormParser.h"

#include "platform/forms/FormLexer.h"
#include "platform/text/Text.h"

namespace forms {

namespace {

std::string Describe(const FormToken& token) {
    switch (token.Type) {
    case FormToken::Kind::End:
        return "end of text";
    case FormToken::Kind::Identifier:
        return "'" + token.Text + "'";
    case FormToken::Kind::String:
        return "string";
    case FormToken::Kind::Integer:
    case FormToken::Kind::Float:
        return "number";
    case FormToken::Kind::Symbol:
        return "'" + token.Text + "'";
    }
    return "token";
}

class Parser {
public:
    Parser(std::string_view text, const std::string& formName) : lexer_(text, formName) {
        Advance();
    }

    FormObject ParseRoot() {
        FormObject root = ParseObject(0);
        if (token_.Type != FormToken::Kind::End)
            Expected("end of text");
        return root;
    }

    // The root object with its own properties; its nested objects and the
    // text after them are not parsed.
    FormObject ParseRootHead() { return ParseHead(0); }

private:
    void Advance() { token_ = lexer_.Next(); }

    bool IsKeyword(const char* word) const {
        return token_.Type == FormToken::Kind::Identifier && text::SameText(token_.Text, word);
    }
    bool IsSymbol(char c) const {
        return token_.Type == FormToken::Kind::Symbol && token_.Text[0] == c;
    }

    [[noreturn]] void Expected(const std::string& what) const {
        lexer_.Fail(what + " expected but " + Describe(token_) + " found", token_.Line);
    }
    void ExpectSymbol(char c) {
        if (!IsSymbol(c))
            Expected(std::string("'") + c + "'");
        Advance();
    }
    // The words that open and close objects are never names or values: a
    // missing value or name is then reported where it is missing.
    bool IsReserved() const { return IsKeyword("end") || IsKeyword("object"); }
    std::string ExpectIdentifier(const char* what) {
        if (token_.Type != FormToken::Kind::Identifier || IsReserved())
            Expected(what);
        std::string name = token_.Text;
        Advance();
        return name;
    }
    // Name or Name.Sub.Sub: property paths and component references.
    std::string ExpectDottedName(const char* what) {
        std::string name = ExpectIdentifier(what);
        while (IsSymbol('.')) {
            Advance();
            name += '.';
            name += ExpectIdentifier(what);
        }
        return name;
    }
    void CheckDepth(int depth) const {
        if (depth >= kMaxFormNesting)
            lexer_.Fail("Form nested too deeply", token_.Line);
    }

    // An object up to its first nested object or its end: its name, class and properties.
    FormObject ParseHead(int depth) {
        CheckDepth(depth);
        if (IsKeyword("inherited") || IsKeyword("inline"))
            lexer_.Fail("'" + token_.Text + "' objects are not supported", token_.Line);
        if (!IsKeyword("object"))
            Expected("'object'");
        FormObject object;
        object.Line = token_.Line;
        Advance();
        std::string first = ExpectIdentifier("Object name");
        if (IsSymbol(':')) {
            Advance();
            object.Name = std::move(first);
            object.ClassName = ExpectIdentifier("Class name");
        } else {
            object.ClassName = std::move(first);
        }
        while (!IsKeyword("end") && !IsKeyword("object"))
            object.Properties.push_back(ParseProperty(depth));
        return object;
    }

    FormObject ParseObject(int depth) {
        FormObject object = ParseHead(depth);
        while (IsKeyword("object"))
            object.Children.push_back(ParseObject(depth + 1));
        if (!IsKeyword("end"))
            Expected("'end'");
        Advance();
        return object;
    }

    FormProperty ParseProperty(int depth) {
        FormProperty property;
        property.Line = token_.Line;
        property.Name = ExpectDottedName("Property name");
        ExpectSymbol('=');
        property.Value = ParseValue(depth);
        return property;
    }

    FormValue ParseValue(int depth) {
        FormValue value;
        value.Line = token_.Line;
        switch (token_.Type) {
        case FormToken::Kind::String:
            ParseString(value);
            return value;
        case FormToken::Kind::Integer:
            value.Type = FormValue::Kind::Integer;
            value.Integer = token_.Integer;
            Advance();
            return value;
        case FormToken::Kind::Float:
            value.Type = FormValue::Kind::Float;
            value.Float = token_.Float;
            Advance();
            return value;
        case FormToken::Kind::Identifier:
            if (IsReserved())
                break;
            value.Type = FormValue::Kind::Identifier;
            value.Text = ExpectDottedName("Identifier");
            return value;
        case FormToken::Kind::Symbol:
            if (IsSymbol('['))
                return ParseSet(value);
            if (IsSymbol('('))
                return ParseList(value, depth);
            if (IsSymbol('<'))
                return ParseCollection(value, depth);
            if (IsSymbol('{')) {
                value.Type = FormValue::Kind::Binary;
                value.Bytes = lexer_.ReadBinary(kMaxFormBinary);
                Advance();
                return value;
            }
            break;
        case FormToken::Kind::End:
            break;
        }
        Expected("Property value");
    }

    void ParseString(FormValue& value) {
        value.Type = FormValue::Kind::String;
        value.Text = token_.Text;
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (token_.Type != FormToken::Kind::String)
                Expected("String");
            value.Text += token_.Text;
            Advance();
        }
    }

    FormValue& ParseSet(FormValue& value) {
        value.Type = FormValue::Kind::Set;
        Advance();
        if (!IsSymbol(']')) {
            for (;;) {
                if (token_.Type == FormToken::Kind::Integer) {
                    value.Elements.push_back(std::to_string(token_.Integer));
                    Advance();
                } else {
                    value.Elements.push_back(ExpectIdentifier("Set element"));
                }
                if (IsSymbol(']'))
                    break;
                ExpectSymbol(',');
            }
        }
        Advance();
        return value;
    }

    FormValue& ParseList(FormValue& value, int depth) {
        CheckDepth(depth);
        value.Type = FormValue::Kind::List;
        Advance();
        while (!IsSymbol(')'))
            value.Items.push_back(ParseValue(depth + 1));
        Advance();
        return value;
    }

    FormValue& ParseCollection(FormValue& value, int depth) {
        CheckDepth(depth);
        value.Type = FormValue::Kind::Collection;
        Advance();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item"))
                Expected("'item'");
            FormCollectionItem item;
            item.Line = token_.Line;
            Advance();
            if (IsSymbol('[')) {
                Advance();
                if (token_.Type != FormToken::Kind::Integer || token_.Integer < 0 ||
                    token_.Integer > INT32_MAX)
                    Expected("Item index");
                item.Index = static_cast<int>(token_.Integer);
                Advance();
                ExpectSymbol(']');
            }
            while (!IsKeyword("end"))
                item.Properties.push_back(ParseProperty(depth + 1));
            Advance();
            value.CollectionItems.push_back(std::move(item));
        }
        Advance();
        return value;
    }

    FormLexer lexer_;
    FormToken token_;
};

} // namespace

const char* FormValue::KindName(Kind kind) {
    switch (kind) {
    case Kind::String:
        return "string";
    case Kind::Integer:
        return "integer";
    case Kind::Float:
        return "floating-point number";
    case Kind::Identifier:
        return "identifier";
    case Kind::Set:
        return "set";
    case Kind::List:
        return "list";
    case Kind::Collection:
        return "collection";
    case Kind::Binary:
        return "binary data";
    }
    return "value";
}

FormObject ParseForm(std::string_view text, const std::string& formName) {
    return Parser(text, formName).ParseRoot();
}

FormObject ParseFormRoot(std::string_view text, const std::string& formName) {
    return Parser(text, formName).ParseRootHead();
}

} // namespace forms
