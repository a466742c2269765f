// Tagged text of any length for the renderer's linear-work tests, its fuzz
// seeds and its benchmark: a paragraph that uses most tags, plain words
// without a tag, and long words with entities, each repeated.
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

// Words of everyday length and nothing else: no tag, no entity.
inline const std::string& PlainParagraph() {
    static const std::string text =
        "The folder you file this message in is kept with the others you used "
        "lately, so that a copy of what you send lands where you expect it. ";
    return text;
}

// Words of 20 to 220 letters, the longer ones wider than any line, each
// with an entity in its middle (one of them unknown, which stays as it is).
inline const std::string& LongWordsParagraph() {
    static const std::string text = [] {
        const char* const entities[] = {"&amp;",  "&copy;",  "&nbsp;", "&lt;",     "&gt;",
                                        "&euro;", "&trade;", "&quot;", "&unknown;"};
        std::string out;
        int i = 0;
        for (const char* entity : entities) {
            std::string word;
            size_t length = 20 + 25 * size_t(i);
            for (size_t k = 0; k < length; ++k)
                word += char('a' + (k * 7 + size_t(i)) % 26);
            word.insert(length / 2, entity);
            out += word;
            out += ' ';
            ++i;
        }
        return out;
    }();
    return text;
}

// The paragraph repeated up to exactly length bytes.
inline std::string Repeated(const std::string& paragraph, size_t length) {
    std::string text;
    text.reserve(length + paragraph.size());
    while (text.size() < length)
        text += paragraph;
    text.resize(length);
    return text;
}

// Mixed paragraphs up to exactly length bytes.
inline std::string MixedText(size_t length) {
    return Repeated(MixedParagraph(), length);
}

// Plain words up to exactly length bytes.
inline std::string PlainText(size_t length) {
    return Repeated(PlainParagraph(), length);
}

// Long words and entities up to exactly length bytes.
inline std::string LongWordsText(size_t length) {
    return Repeated(LongWordsParagraph(), length);
}

} // namespace htmlsamples
