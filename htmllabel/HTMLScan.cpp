// The run and tag searches of the renderer and the count of what they look
// at (see HTMLScan.h).
#include "htmllabel/HTMLScan.h"

namespace htmldraw {
namespace {

// The innermost live count. Labels lay out on the UI thread alone, and the
// library that holds the label is loaded and unloaded by its host: it keeps
// no thread-local storage, which an unloaded library leaves dangling for the
// leak checker's scan of the threads.
TScanCount* innermost = nullptr;

// The first of chars at or after pos (npos when none), counting what the
// search looked at: up to and including what it found, or the rest.
size_t FindCounted(std::string_view text, size_t pos, std::string_view chars) {
    size_t found = text.find_first_of(chars, pos);
    size_t stop = found == std::string_view::npos ? text.size() : found + 1;
    if (stop > pos)
        TScanCount::Add(stop - pos);
    return found;
}

} // namespace

size_t RunEnd(std::string_view text, size_t pos, bool wordWrap) {
    size_t end = FindCounted(text, pos, wordWrap ? std::string_view("< ") : "<");
    if (end == std::string_view::npos)
        return text.size();
    return text[end] == ' ' ? end + 1 : end;
}

size_t TagEnd(std::string_view text, size_t pos) {
    size_t close = FindCounted(text, pos, ">");
    return close == std::string_view::npos ? text.size() : close + 1;
}

TScanCount::TScanCount() : outer_(innermost) {
    innermost = this;
}

TScanCount::~TScanCount() {
    innermost = outer_;
}

void TScanCount::Add(size_t characters) {
    for (TScanCount* count = innermost; count; count = count->outer_)
        count->characters_ += characters;
}

} // namespace htmldraw
