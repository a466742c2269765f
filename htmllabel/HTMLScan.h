// The renderer's searches through the tagged text: where a run of text and
// where a tag ends. Each looks no further than what it finds, so laying out
// a text costs in proportion to its length, however few tags it holds. A
// TScanCount adds up the characters these searches look at while it lives
// (labels lay out on the UI thread), so a test can see that the work grows
// with the text.
#pragma once

#include <cstddef>
#include <string_view>

namespace htmldraw {

// Where the run of text at pos ends: at the next "<", and with word wrap
// after the next blank before it (the blank belongs to the run).
size_t RunEnd(std::string_view text, size_t pos, bool wordWrap);
// Where the tag at pos ends: after its ">", or at the text's end when no
// ">" follows.
size_t TagEnd(std::string_view text, size_t pos);

// Counts the characters the searches look at from its creation to its end;
// nested counts each see the searches of their time.
class TScanCount {
public:
    // Starts counting from 0.
    TScanCount();
    // Stops counting; an enclosing count goes on.
    ~TScanCount();
    TScanCount(const TScanCount&) = delete;
    TScanCount& operator=(const TScanCount&) = delete;

    // The characters looked at so far.
    size_t Characters() const { return characters_; }
    // Adds characters to the live counts, if any.
    static void Add(size_t characters);

private:
    size_t characters_ = 0;
    TScanCount* outer_ = nullptr;
};

} // namespace htmldraw
