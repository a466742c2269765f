// TStrings: name=value lines, texts, delimited texts and files over the
// primitives of a descendant.
#include "platform/rtl/Strings.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/UpdateScope.h"

namespace {

// Blanks and control characters, which separate strings of a non-strict
// delimited text.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

int TStrings::AddPair(const std::string& name, const std::string& value) {
    return Add(name + NameValueSeparator + value);
}

void TStrings::AddStrings(const TStrings& strings) {
    TUpdateScope<TStrings> update(*this);
    int count = strings.Count(); // once: the list may be adding itself
    for (int i = 0; i < count; ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

void TStrings::Exchange(int index1, int index2) {
    TUpdateScope<TStrings> update(*this);
    std::string s1 = Get(index1), s2 = Get(index2);
    TObject* o1 = GetObject(index1);
    TObject* o2 = GetObject(index2);
    Put(index1, s2);
    Put(index2, s1);
    PutObject(index1, o2);
    PutObject(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    TUpdateScope<TStrings> update(*this);
    std::string s = Get(curIndex);
    TObject* object = GetObject(curIndex);
    PutObject(curIndex, nullptr); // so that a list owning its objects keeps this one
    Delete(curIndex);
    InsertObject(newIndex, s, object);
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::NameSeparatorIndex(const std::string& line) const {
    size_t p = line.find(NameValueSeparator);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        std::string line = Get(i);
        int p = NameSeparatorIndex(line);
        if (p >= 0 && CompareStrings(std::string_view(line).substr(0, p), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    std::string line = Get(index);
    int p = NameSeparatorIndex(line);
    return p < 0 ? std::string() : line.substr(0, p);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string line = Get(index);
    int p = NameSeparatorIndex(line);
    return p < 0 ? std::string() : line.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const std::string& value) {
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    if (index < 0)
        index = Add("");
    Put(index, Names(index) + NameValueSeparator + value);
}

std::string TStrings::Values(const std::string& name) const {
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
    } else if (index < 0) {
        Add(name + NameValueSeparator + value); // Add, so that a sorted list takes it too
    } else {
        Put(index, name + NameValueSeparator + value);
    }
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0, n = Count(); i < n; ++i)
        out.append(Get(i)).append(LineBreak);
    return out;
}

void TStrings::SetText(std::string_view text) {
    TUpdateScope<TStrings> update(*this);
    Clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        Add(std::string(text.substr(pos, end - pos)));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
}

std::string TStrings::CommaText() const {
    return DelimitedTextWith(',', '"', false);
}

void TStrings::SetCommaText(std::string_view text) {
    SetDelimitedTextWith(text, ',', '"', false);
}

std::string TStrings::DelimitedText() const {
    return DelimitedTextWith(Delimiter, QuoteChar, StrictDelimiter);
}

void TStrings::SetDelimitedText(std::string_view text) {
    SetDelimitedTextWith(text, Delimiter, QuoteChar, StrictDelimiter);
}

std::string TStrings::DelimitedTextWith(char delimiter, char quote, bool strict) const {
    int n = Count();
    if (n == 1 && Get(0).empty())
        return std::string(2, quote); // one empty string must not read back as none
    std::string out;
    for (int i = 0; i < n; ++i) {
        std::string s = Get(i);
        bool needsQuotes = false;
        for (char c : s)
            needsQuotes = needsQuotes || c == quote || c == delimiter || (!strict && IsBlank(c));
        if (i > 0)
            out.push_back(delimiter);
        out += needsQuotes ? AnsiQuotedStr(s, quote) : s;
    }
    return out;
}

void TStrings::SetDelimitedTextWith(std::string_view text, char delimiter, char quote,
                                    bool strict) {
    TUpdateScope<TStrings> update(*this);
    Clear();
    size_t i = 0, n = text.size();
    auto skipBlanks = [&] {
        while (!strict && i < n && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        if (text[i] == quote) {
            std::string_view rest = text.substr(i);
            Add(AnsiExtractQuotedStr(rest, quote));
            i = n - rest.size();
        } else {
            size_t start = i;
            while (i < n && text[i] != delimiter && (strict || !IsBlank(text[i])))
                ++i;
            Add(std::string(text.substr(start, i - start)));
        }
        skipBlanks();
        if (i < n && text[i] == delimiter) {
            if (i + 1 == n) // a delimiter at the end stands before an empty string
                Add("");
            ++i;
            skipBlanks();
        }
    }
}

void TStrings::LoadFromFile(std::string_view fileName) {
    std::string bytes = ReadFileBytes(fileName);
    std::string_view text = bytes;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    SetText(text);
}

void TStrings::SaveToFile(std::string_view fileName) const {
    WriteFileAtomic(fileName, Text());
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0)
        SetUpdateState(true); // before counting, so that OnChanging still fires
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::Assign(TPersistent* source) {
    auto* strings = dynamic_cast<TStrings*>(source);
    if (!strings) {
        TPersistent::Assign(source);
        return;
    }
    if (strings == this)
        return;
    TUpdateScope<TStrings> update(*this);
    Clear();
    Delimiter = strings->Delimiter;
    QuoteChar = strings->QuoteChar;
    NameValueSeparator = strings->NameValueSeparator;
    StrictDelimiter = strings->StrictDelimiter;
    LineBreak = strings->LineBreak;
    AddStrings(*strings);
}

bool TStrings::Equals(const TStrings& other) const {
    int n = Count();
    if (n != other.Count())
        return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
    return text::CompareText(a, b);
}
