// GlyphLine: the words of a line placed at their natural advances, the
// blanks between them sharing what is left, then drawn: backgrounds, the
// letters (each word clipped to the room up to the middle of the blanks on
// either side, so it never inks its neighbour), underline and strike-out.
#include "platform/gfx/GlyphLine.h"

#include "platform/gfx/Canvas.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <cmath>

namespace gfx {
namespace {

// The least gap between two words, as a share of their blanks' natural
// width (and never under a pixel): tighter than that, words are squeezed.
constexpr double MinGapShare = 0.75;
// Words are never squeezed below this share of their natural width.
constexpr double MinSqueeze = 0.05;

// One character of the line: what the grid gave it and where it is drawn.
struct Letter {
    char32_t C = 0;
    size_t Run = 0;
    bool Blank = false;
    int Advance = 0;
    GlyphFont::InkSpan Ink;
    double GridLeft = 0, GridRight = 0;
    double Left = 0, Width = 0;
};

// A word: letters [Begin, End), their advances summed (Natural) and the
// columns they ink from the first one's origin; drawn from Left with its
// advances squeezed by Squeeze.
struct Word {
    size_t Begin = 0, End = 0;
    double Natural = 0;
    double InkLeft = 0, InkRight = 0;
    double Left = 0;
    double Squeeze = 1;
    double InkWidth() const { return InkRight - InkLeft; }
    double Right() const { return Left + Natural * Squeeze; }
    double InkStart() const { return Left + InkLeft * Squeeze; }
    double InkEnd() const { return Left + InkRight * Squeeze; }
};

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

std::vector<Letter> LettersOf(const std::vector<GlyphRun>& runs) {
    std::vector<Letter> letters;
    for (size_t r = 0; r < runs.size(); ++r) {
        const GlyphRun& run = runs[r];
        std::vector<char32_t> chars;
        for (size_t pos = 0; pos < run.Text.size();)
            chars.push_back(text::DecodeAnsiChar(run.Text, pos));
        double cell = chars.empty() ? 0 : double(run.Paint.Width) / double(chars.size());
        for (size_t i = 0; i < chars.size(); ++i) {
            Letter letter;
            letter.C = chars[i];
            letter.Run = r;
            letter.Blank = IsBlank(chars[i]);
            letter.Advance = run.Font->Advance(chars[i]);
            if (!letter.Blank)
                letter.Ink = run.Font->Ink(chars[i]);
            letter.GridLeft = run.X + double(i) * cell;
            letter.GridRight = letter.GridLeft + cell;
            letters.push_back(letter);
        }
    }
    return letters;
}

std::vector<Word> WordsOf(const std::vector<Letter>& letters) {
    std::vector<Word> words;
    for (size_t i = 0; i < letters.size();) {
        if (letters[i].Blank) {
            ++i;
            continue;
        }
        Word word;
        word.Begin = i;
        word.InkLeft = INT32_MAX;
        word.InkRight = INT32_MIN;
        for (; i < letters.size() && !letters[i].Blank; ++i) {
            const GlyphFont::InkSpan& ink = letters[i].Ink;
            if (ink.Right > ink.Left) {
                word.InkLeft = std::min(word.InkLeft, word.Natural + ink.Left);
                word.InkRight = std::max(word.InkRight, word.Natural + ink.Right);
            }
            word.Natural += letters[i].Advance;
        }
        if (word.InkRight < word.InkLeft)
            word.InkLeft = word.InkRight = 0;
        word.End = i;
        words.push_back(word);
    }
    return words;
}

// The blanks between two words: how many, the uninked width between the
// words set at their natural advances, and that width on the grid.
struct Gap {
    int Count = 0;
    double Natural = 0;
    double Grid = 0;
    double MinWidth() const { return std::max(1.0, Natural * MinGapShare); }
};

std::vector<Gap> GapsOf(const std::vector<Word>& words, const std::vector<Letter>& letters) {
    std::vector<Gap> gaps(words.size() - 1);
    for (size_t k = 0; k + 1 < words.size(); ++k) {
        // The bearings of the letters on either side are part of the gap.
        double bearings = words[k].Natural - words[k].InkRight + words[k + 1].InkLeft;
        double blanks = 0, cells = 0;
        for (size_t i = words[k].End; i < words[k + 1].Begin; ++i) {
            ++gaps[k].Count;
            blanks += letters[i].Advance;
            cells += letters[i].GridRight - letters[i].GridLeft;
        }
        gaps[k].Natural = std::max(1.0, blanks + bearings);
        gaps[k].Grid = std::max(1.0, cells + bearings);
    }
    return gaps;
}

// Places the words by their ink. When they fit the cells from the first
// word's to the last word's, the room left over goes to the gaps, each at
// most as wide as on the grid, and what is still left to the side the
// alignment leaves free; else the line grows into the room on that side
// with gaps as wide as natural ones are on average, or as near to that as
// the room lets them be; else the words are squeezed, the gaps at their
// least. The gaps share alike by their blanks, so words stand evenly apart.
void PlaceWords(std::vector<Word>& words, const std::vector<Letter>& letters, double roomLeft,
                double roomRight, unsigned alignment) {
    std::vector<Gap> gaps = GapsOf(words, letters);
    double natural = 0, gapsNatural = 0, gapsMin = 0, gapsGrid = 0;
    int blanks = 0;
    for (const Word& word : words)
        natural += word.InkWidth();
    for (const Gap& gap : gaps) {
        blanks += gap.Count;
        gapsNatural += gap.Natural;
        gapsMin += gap.MinWidth();
        gapsGrid += gap.Grid;
    }
    const Word &first = words.front(), &last = words.back();
    double gridLeft = letters[first.Begin].GridLeft + first.InkLeft;
    double gridRight = letters[last.End - 1].GridRight - (last.Natural - last.InkRight);
    double grid = gridRight - gridLeft;
    double room = alignment & DT_RIGHT ? gridRight - roomLeft
                  : alignment & DT_CENTER
                      ? grid + 2 * std::min(gridLeft - roomLeft, roomRight - gridRight)
                      : roomRight - gridLeft;
    room = std::max(room, grid);

    // The gaps' widths and the words' squeeze.
    double squeeze = 1;
    double gapsWidth = 0;
    if (natural + gapsNatural <= grid)
        gapsWidth = std::min(grid - natural, gapsGrid);
    else if (natural + gapsNatural <= room)
        gapsWidth = gapsNatural;
    else if (natural + gapsMin <= room)
        gapsWidth = room - natural;
    else {
        gapsWidth = gapsMin;
        squeeze = std::clamp((room - gapsMin) / std::max(1.0, natural), MinSqueeze, 1.0);
    }
    double width = natural * squeeze + gapsWidth;
    double pen = alignment & DT_RIGHT    ? gridRight - width
                 : alignment & DT_CENTER ? (gridLeft + gridRight - width) / 2
                                         : gridLeft;
    for (size_t k = 0; k < words.size(); ++k) {
        Word& word = words[k];
        word.Squeeze = squeeze;
        // Each word's ink starts at a whole pixel, so that every gap is
        // within a pixel of the others.
        double start = std::round(pen);
        word.Left = start - word.InkLeft * squeeze;
        pen += word.InkWidth() * squeeze;
        if (k < gaps.size())
            pen += blanks > 0 ? gapsWidth * gaps[k].Count / blanks : 0;
    }
}

// Spreads the blanks [begin, end) evenly between left and right.
void SpreadBlanks(std::vector<Letter>& letters, size_t begin, size_t end, double left,
                  double right) {
    if (end <= begin)
        return;
    double each = std::max(0.0, right - left) / double(end - begin);
    for (size_t i = begin; i < end; ++i) {
        letters[i].Left = left + double(i - begin) * each;
        letters[i].Width = each;
    }
}

// Where every letter is drawn, from the words' places.
void PlaceLetters(std::vector<Letter>& letters, const std::vector<Word>& words, double lineLeft,
                  double lineRight) {
    for (const Word& word : words) {
        double x = word.Left;
        for (size_t i = word.Begin; i < word.End; ++i) {
            letters[i].Left = x;
            letters[i].Width = letters[i].Advance * word.Squeeze;
            x += letters[i].Width;
        }
    }
    if (words.empty()) {
        for (Letter& letter : letters) {
            letter.Left = letter.GridLeft;
            letter.Width = letter.GridRight - letter.GridLeft;
        }
        return;
    }
    SpreadBlanks(letters, 0, words.front().Begin, lineLeft, words.front().Left);
    for (size_t k = 0; k + 1 < words.size(); ++k)
        SpreadBlanks(letters, words[k].End, words[k + 1].Begin, words[k].Right(),
                     words[k + 1].Left);
    SpreadBlanks(letters, words.back().End, letters.size(), words.back().Right(),
                 std::max(lineRight, words.back().Right()));
}

int Pixel(double x) {
    return int(std::lround(x));
}

} // namespace

bool GlyphLine::Continues(const GlyphRun& run) const {
    if (runs_.empty())
        return true;
    const GlyphRun& last = runs_.back();
    return last.Y + last.Paint.Ascent == run.Y + run.Paint.Ascent &&
           last.X + last.Paint.Width == run.X;
}

void GlyphLine::Add(GlyphRun run) {
    runs_.push_back(std::move(run));
}

RECT GlyphLine::Clip() const {
    RECT clip = runs_.empty() ? RECT{} : runs_.front().Clip;
    for (const GlyphRun& run : runs_) {
        clip.left = std::min(clip.left, run.Clip.left);
        clip.top = std::min(clip.top, run.Clip.top);
        clip.right = std::max(clip.right, run.Clip.right);
        clip.bottom = std::max(clip.bottom, run.Clip.bottom);
    }
    return clip;
}

void GlyphLine::Draw(Painter& painter) const {
    if (runs_.empty())
        return;
    double lineLeft = runs_.front().X;
    double lineRight = runs_.back().X + runs_.back().Paint.Width;
    double roomLeft = lineLeft, roomRight = lineRight;
    for (const GlyphRun& run : runs_) {
        roomLeft = std::min<double>(roomLeft, run.RoomLeft);
        roomRight = std::max<double>(roomRight, run.RoomRight);
    }

    std::vector<Letter> letters = LettersOf(runs_);
    std::vector<Word> words = WordsOf(letters);
    if (!words.empty())
        PlaceWords(words, letters, roomLeft, roomRight, alignment_);
    PlaceLetters(letters, words, lineLeft, lineRight);

    // Each run spans its letters; the line together spans at least its cells.
    std::vector<std::pair<int, int>> spans(runs_.size(), {INT32_MAX, INT32_MIN});
    for (const Letter& letter : letters) {
        auto& span = spans[letter.Run];
        span.first = std::min(span.first, Pixel(letter.Left));
        span.second = std::max(span.second, Pixel(letter.Left + letter.Width));
    }
    spans.front().first = std::min(spans.front().first, Pixel(lineLeft));
    spans.back().second = std::max(spans.back().second, Pixel(lineRight));
    for (auto& span : spans) {
        span.first = std::max(span.first, Pixel(roomLeft));
        span.second = std::min(span.second, Pixel(roomRight));
    }

    for (size_t r = 0; r < runs_.size(); ++r) {
        const GlyphRun& run = runs_[r];
        if (run.Paint.Opaque && spans[r].first < spans[r].second)
            painter.Fill(RECT{spans[r].first, run.Y, spans[r].second, run.Y + run.Paint.Height},
                         run.Paint.Background);
    }
    for (size_t k = 0; k < words.size(); ++k) {
        const Word& word = words[k];
        double left = k == 0 ? roomLeft : (words[k - 1].InkEnd() + word.InkStart()) / 2;
        double right =
            k + 1 == words.size() ? roomRight : (word.InkEnd() + words[k + 1].InkStart()) / 2;
        Painter within = painter.Within(RECT{Pixel(left), INT32_MIN, Pixel(right), INT32_MAX});
        for (size_t i = word.Begin; i < word.End; ++i) {
            const GlyphRun& run = runs_[letters[i].Run];
            run.Font->DrawLetter(within, letters[i].C, letters[i].Left, run.Y + run.Paint.Ascent,
                                 word.Squeeze, run.Paint.Pixel);
        }
    }
    for (size_t r = 0; r < runs_.size(); ++r) {
        if (spans[r].first < spans[r].second)
            runs_[r].Font->DrawStrokes(painter, spans[r].first, runs_[r].Y,
                                       spans[r].second - spans[r].first, runs_[r].Paint);
    }
}

} // namespace gfx
