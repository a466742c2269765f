// Tagged text of any length for the renderer's linear-work test, its fuzz
// seeds and its benchmark: a paragraph that uses most tags, repeated.
#pragma once

#include <string>

namespace htmlsamples {

// One paragraph of mixed tags, entities, lists and a link.
inline const std::string& MixedParagraph() {
    static const std::string text =
        "<b>Bold</b> text with <i>italic</i> words and <a href=\"home\">a link</a> &amp; "
        "<font color=\"clRed\" size=\"3\">red big</font> ones, x<sup>2</sup> and y<sub>i</sub>"
        "<br><ul><li>first item</li><li><u>second</u> item</li></ul>"
        "<p align=\"center\">centred &lt;text&gt;</p><shad>shadowed</shad> <e>wrong</e> ";
    return text;
}

// Mixed paragraphs up to exactly length bytes.
inline std::string MixedText(size_t length) {
    std::string text;
    while (text.size() < length)
        text += MixedParagraph();
    text.resize(length);
    return text;
}

} // namespace htmlsamples
