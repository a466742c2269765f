// TadxXMLHelper: the small text writer that produces the ribbon document.
// It writes exactly one form of text, so the same tabs and controls always
// give the same bytes: every element on a line of its own, indented by one
// tab character per level, lines joined by CR LF, the root without a line
// break in front and the document without one at its end; attributes go
// between an element's name and its ">", each after one blank, with the
// value in double quotes; an empty element ends with " />".
//
// Attribute values are escaped ("&", "<", the double quote and the line
// break and tab characters become references), so that a label, namespace
// or id holding them cannot break the document.
#pragma once

#include "platform/rtl/StringList.h"

#include <cstdint>
#include <string>
#include <string_view>

class TadxXMLHelper {
public:
    // An empty document at level 0.
    TadxXMLHelper() = default;

    // Opens an element: a line break (none before the root), the indent,
    // "<" Name ">"; the following lines are indented one level deeper.
    void WriteStartElement(std::string_view Name);
    // Adds an attribute to the start tag just written (in front of its ">").
    void WriteAttributeString(std::string_view Name, std::u16string_view Value);
    // Adds every "name=value" line of Attributes, in list order.
    void WriteAttributeString(const TStrings& Attributes);
    // Writes an empty element with the attributes of the list: a line break,
    // the indent, "<" Name, the attributes and " />". The level stays.
    void WriteElementWithAttributeString(std::string_view Name, const TStrings& Attributes);
    // Closes the element opened last: one level up, a line break, the
    // indent and "</" Name ">".
    void WriteEndElement(std::string_view Name);

    // The line break written before the next element: empty until the first
    // start element, CR LF from then on.
    std::u16string NewLine;
    // The current depth: the number of tab characters in front of the next element.
    int32_t Level = 0;
    // The document written so far.
    std::u16string Text;

private:
    void BeginLine();
};

// The value escaped for a double-quoted attribute: "&", "<", the double
// quote, CR, LF and tab become references; everything else stays.
std::u16string adxEscapeAttribute(std::u16string_view value);
