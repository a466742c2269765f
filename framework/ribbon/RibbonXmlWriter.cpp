// The ribbon document's text writer.
#include "framework/ribbon/RibbonXmlWriter.h"

#include "platform/text/Text.h"

namespace {

// " name="value"", with the value escaped.
std::u16string AttributeText(std::string_view name, std::u16string_view value) {
    std::u16string out = u" ";
    out += text::Wide(name);
    out += u"=\"";
    out += adxEscapeAttribute(value);
    out += u'"';
    return out;
}

} // namespace

std::u16string adxEscapeAttribute(std::u16string_view value) {
    std::u16string out;
    out.reserve(value.size());
    for (char16_t c : value) {
        switch (c) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        // A reader would turn these into blanks inside an attribute.
        case u'\r':
            out += u"&#13;";
            break;
        case u'\n':
            out += u"&#10;";
            break;
        case u'\t':
            out += u"&#9;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void TadxXMLHelper::BeginLine() {
    Text += NewLine;
    Text.append(static_cast<size_t>(Level > 0 ? Level : 0), u'\t');
}

void TadxXMLHelper::WriteStartElement(std::string_view Name) {
    BeginLine();
    Text += u'<';
    Text += text::Wide(Name);
    Text += u'>';
    NewLine = u"\r\n";
    ++Level;
}

void TadxXMLHelper::WriteAttributeString(std::string_view Name, std::u16string_view Value) {
    // The start tag just written ends the text; its ">" is the last character.
    size_t at = Text.empty() ? 0 : Text.size() - 1;
    Text.insert(at, AttributeText(Name, Value));
}

void TadxXMLHelper::WriteAttributeString(const TStrings& Attributes) {
    for (int i = 0; i < Attributes.Count(); ++i)
        WriteAttributeString(Attributes.Names(i), text::Wide(Attributes.ValueFromIndex(i)));
}

void TadxXMLHelper::WriteElementWithAttributeString(std::string_view Name,
                                                    const TStrings& Attributes) {
    BeginLine();
    Text += u'<';
    Text += text::Wide(Name);
    for (int i = 0; i < Attributes.Count(); ++i)
        Text += AttributeText(Attributes.Names(i), text::Wide(Attributes.ValueFromIndex(i)));
    Text += u" />";
}

void TadxXMLHelper::WriteEndElement(std::string_view Name) {
    --Level;
    BeginLine();
    Text += u"</";
    Text += text::Wide(Name);
    Text += u'>';
}
