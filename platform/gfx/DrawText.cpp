// DrawText's layout, the same on every kind of canvas: the text is cut into
// paragraphs at line breaks, "&" prefixes are taken out (the character after
// one is underlined), tabs are expanded, paragraphs are broken into lines
// between words, lines that are still too wide get an ellipsis, and each line
// is placed by the alignment flags and drawn through DoText.
#include "platform/gfx/Canvas.h"

#include "platform/gfx/Gdi.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace {

// One line of laid-out text: its characters and which of them are underlined.
struct Line {
    std::u32string Text;
    std::vector<bool> Underlined;
};

std::string Utf8(std::u32string_view s) {
    return text::Utf32ToUtf8(s);
}

// Paragraphs at CR, LF and CR LF; with DT_SINGLELINE the breaks are dropped.
std::vector<std::u32string> Paragraphs(const std::u32string& all, bool singleLine) {
    std::vector<std::u32string> out(1);
    for (size_t i = 0; i < all.size(); ++i) {
        char32_t c = all[i];
        if (c != U'\r' && c != U'\n') {
            out.back() += c;
            continue;
        }
        if (c == U'\r' && i + 1 < all.size() && all[i + 1] == U'\n')
            ++i;
        if (!singleLine)
            out.emplace_back();
    }
    return out;
}

// Takes the "&" prefixes out: "&x" underlines x, "&&" is one "&".
Line TakePrefixes(const std::u32string& paragraph, bool prefixes) {
    Line line;
    for (size_t i = 0; i < paragraph.size(); ++i) {
        char32_t c = paragraph[i];
        bool underline = false;
        if (prefixes && c == U'&') {
            if (i + 1 == paragraph.size())
                break;
            c = paragraph[++i];
            underline = c != U'&';
        }
        line.Text += c;
        line.Underlined.push_back(underline);
    }
    return line;
}

// Tabs become blanks up to the next stop of tabChars characters.
Line ExpandTabs(const Line& in, int tabChars) {
    Line out;
    for (size_t i = 0; i < in.Text.size(); ++i) {
        if (in.Text[i] != U'\t') {
            out.Text += in.Text[i];
            out.Underlined.push_back(in.Underlined[i]);
            continue;
        }
        do {
            out.Text += U' ';
            out.Underlined.push_back(false);
        } while (out.Text.size() % size_t(tabChars) != 0);
    }
    return out;
}

Line Slice(const Line& line, size_t from, size_t to) {
    Line out;
    out.Text = line.Text.substr(from, to - from);
    out.Underlined.assign(line.Underlined.begin() + long(from), line.Underlined.begin() + long(to));
    return out;
}

// Breaks a paragraph into lines greedily between words; blanks at a break
// are dropped and a word wider than the rectangle stays whole, unless
// cutWords (an edit control's way) cuts it at the last character that fits.
template <class Measure>
void BreakWords(const Line& line, int width, bool cutWords, Measure measure,
                std::vector<Line>& lines) {
    std::u32string_view chars(line.Text);
    size_t start = 0, n = chars.size();
    while (start <= n) {
        size_t end = start, lastFit = start;
        bool any = false;
        while (end < n) {
            size_t wordEnd = end;
            while (wordEnd < n && chars[wordEnd] == U' ')
                ++wordEnd;
            while (wordEnd < n && chars[wordEnd] != U' ')
                ++wordEnd;
            if (any && measure(chars.substr(start, wordEnd - start)) > width)
                break;
            if (!any && cutWords) {
                size_t fit = start + 1;
                while (fit < wordEnd && measure(chars.substr(start, fit + 1 - start)) <= width)
                    ++fit;
                wordEnd = std::min(wordEnd, fit);
            }
            end = lastFit = wordEnd;
            any = true;
        }
        lines.push_back(Slice(line, start, lastFit));
        start = lastFit;
        while (start < n && chars[start] == U' ')
            ++start;
        if (start >= n)
            break;
    }
}

// Cuts each line that is still too wide where it and "..." fit (the three
// kinds of ellipsis alike).
template <class Measure> void AddEllipses(std::vector<Line>& lines, int width, Measure measure) {
    for (Line& line : lines) {
        if (measure(line.Text) <= width)
            continue;
        size_t keep = line.Text.size();
        while (keep > 0 && measure(line.Text.substr(0, keep) + U"...") > width)
            --keep;
        line = Slice(line, 0, keep);
        line.Text += U"...";
        line.Underlined.resize(line.Text.size(), false);
    }
}

// The lines of all as the format lays them out in a rectangle width wide:
// paragraphs, prefixes, tabs, word breaks and ellipses.
template <class Measure>
std::vector<Line> LayOutLines(std::string_view all, UINT format, int tabChars, int width,
                              Measure measure) {
    std::vector<Line> lines;
    bool singleLine = (format & DT_SINGLELINE) != 0;
    for (const std::u32string& paragraph : Paragraphs(text::Utf8ToUtf32(all), singleLine)) {
        Line line = TakePrefixes(paragraph, !(format & DT_NOPREFIX));
        if (format & DT_EXPANDTABS)
            line = ExpandTabs(line, tabChars);
        if (!(format & DT_WORDBREAK) || singleLine)
            lines.push_back(std::move(line));
        else
            BreakWords(line, width, (format & DT_EDITCONTROL) != 0, measure, lines);
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
        AddEllipses(lines, width, measure);
    return lines;
}

} // namespace

int TCanvas::DrawText(std::string_view textIn, RECT& rect, UINT format) {
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        // The high byte of the low word holds the tab size instead of flags.
        tabChars = std::max<int>(1, (format >> 8) & 0xFF);
        format &= ~0xFF00u;
    }
    const TFont& font = *Font();
    TEXTMETRIC tm = MeasureFont(font);
    int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int width = rect.Width();
    auto measure = [&](std::u32string_view s) { return MeasureText(Utf8(s), font).cx; };

    std::vector<Line> lines = LayOutLines(textIn, format, tabChars, width, measure);

    int textHeight = lineHeight * int(lines.size());
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, measure(line.Text));
    if (format & DT_CALCRECT) {
        rect.right = rect.left + widest;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }

    int y = rect.top;
    bool placedVertically = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
    if (placedVertically)
        y = (format & DT_BOTTOM) ? rect.bottom - lineHeight
                                 : rect.top + (rect.Height() - lineHeight) / 2;
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : &rect;
    bool opaque = BkMode() == OPAQUE;
    bool showUnderline = !(format & DT_HIDEPREFIX);
    TFont underlined;
    underlined.Assign(Font());
    underlined.SetStyle(font.Style() + TFontStyles{fsUnderline});

    Changing();
    int lineTop = y;
    for (const Line& line : lines) {
        int lineWidth = measure(line.Text);
        int x = rect.left;
        if (format & DT_RIGHT)
            x = rect.right - lineWidth;
        else if (format & DT_CENTER)
            x = rect.left + (width - lineWidth) / 2;
        // Runs of equal underlining, so an underlined prefix character is a run of its own.
        TTextLine words(*this, format & (DT_CENTER | DT_RIGHT));
        for (size_t from = 0; from < line.Text.size() && !(format & DT_PREFIXONLY);) {
            size_t to = from + 1;
            while (to < line.Text.size() && line.Underlined[to] == line.Underlined[from])
                ++to;
            std::u32string_view run = std::u32string_view(line.Text).substr(from, to - from);
            bool under = line.Underlined[from] && showUnderline;
            DoText(x, lineTop, Utf8(run), under ? underlined : font, clip, opaque);
            x += measure(run);
            from = to;
        }
        lineTop += lineHeight;
    }
    Changed();
    return placedVertically ? y + textHeight - rect.top : textHeight;
}
