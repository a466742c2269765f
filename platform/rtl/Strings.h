// TStrings: the class library's abstract list of strings, each with an
// optional object, and everything built on its few primitives: name=value
// lines (Names, Values, IndexOfName), the whole list as one text (Text, with
// CR LF line breaks as the add-in's files have them), as a comma or delimited
// text with quoting (CommaText, DelimitedText), and files. TStringList is the
// list that stores its strings; controls offer their lines as other TStrings.
#pragma once

#include "platform/rtl/Object.h"

#include <string>
#include <string_view>

// An ordered list of strings with an optional object each.
class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    // Number of strings.
    virtual int Count() const = 0;
    // The string at `index`.
    std::string Strings(int index) const { return Get(index); }
    // The string at `index`, as Strings.
    std::string operator[](int index) const { return Get(index); }
    // Replaces the string at `index`.
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    // The object at `index` (nullptr when none).
    TObject* Objects(int index) const { return GetObject(index); }
    // Replaces the object at `index`.
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    // Appends a string; returns its index (a sorted list returns where it went).
    virtual int Add(const std::string& s);
    // Appends a string with its object; returns its index.
    virtual int AddObject(const std::string& s, TObject* object);
    // Appends the line name + NameValueSeparator + value.
    int AddPair(const std::string& name, const std::string& value);
    // Appends every string and object of `strings`.
    virtual void AddStrings(const TStrings& strings);
    // Inserts a string before `index` (0 to Count).
    virtual void Insert(int index, const std::string& s) = 0;
    // Inserts a string with its object before `index`.
    virtual void InsertObject(int index, const std::string& s, TObject* object);
    // Removes the string at `index`.
    virtual void Delete(int index) = 0;
    // Removes every string.
    virtual void Clear() = 0;
    // Swaps two strings with their objects.
    virtual void Exchange(int index1, int index2);
    // Moves a string with its object so that it ends up at `newIndex`.
    virtual void Move(int curIndex, int newIndex);

    // The index of the first string equal to `s` (letter case as CompareStrings
    // says), or -1.
    virtual int IndexOf(const std::string& s) const;
    // The index of the first line whose name is `name`, or -1.
    virtual int IndexOfName(const std::string& name) const;
    // The index of the first string whose object is `object`, or -1.
    int IndexOfObject(const TObject* object) const;

    // The name of the line at `index`: the text before the first separator,
    // "" when the line has none.
    std::string Names(int index) const;
    // The value of the line at `index`: the text after the first separator,
    // "" when the line has none.
    std::string ValueFromIndex(int index) const;
    // Replaces the value of the line at `index`; an empty value deletes the line.
    void SetValueFromIndex(int index, const std::string& value);
    // The value of the first line named `name`, or "".
    std::string Values(const std::string& name) const;
    // Sets the value of the first line named `name`, adding the line when
    // missing; an empty value deletes the line.
    void SetValues(const std::string& name, const std::string& value);

    // Every string followed by LineBreak.
    std::string Text() const;
    // Replaces the strings by the lines of `text`; lines end at CR LF, LF or
    // CR, and a line break at the very end adds no empty line.
    virtual void SetText(std::string_view text);
    // The strings separated by commas, each quoted with '"' when it holds a
    // blank, a control character, a comma or a quote.
    std::string CommaText() const;
    // Replaces the strings by those of a comma text (blanks separate too).
    void SetCommaText(std::string_view text);
    // The strings separated by Delimiter and quoted with QuoteChar where needed.
    std::string DelimitedText() const;
    // Replaces the strings by those of a delimited text.
    void SetDelimitedText(std::string_view text);

    // Replaces the strings by the lines of an 8-bit text file (a UTF-8 byte
    // order mark is skipped); raises EFOpenError.
    virtual void LoadFromFile(std::string_view fileName);
    // Writes Text to the file, replacing it atomically; raises EFCreateError.
    virtual void SaveToFile(std::string_view fileName) const;

    // Holds change notifications until the matching EndUpdate.
    void BeginUpdate();
    // Ends a BeginUpdate; the last one notifies once.
    void EndUpdate();

    // Copies the strings, objects and text settings of another TStrings.
    void Assign(TPersistent* source) override;
    // True when both lists hold the same strings in the same order.
    bool Equals(const TStrings& other) const;

    // Separates the strings of DelimitedText.
    char Delimiter = ',';
    // Quotes the strings of DelimitedText that need it.
    char QuoteChar = '"';
    // Separates a line's name from its value.
    char NameValueSeparator = '=';
    // With StrictDelimiter only Delimiter separates strings and blanks are
    // kept; without it blanks and control characters separate strings too.
    bool StrictDelimiter = false;
    // Ends every string in Text and SaveToFile. The add-in's files are CR LF
    // text (the pending-actions file, the log), so CR LF is the default here too.
    std::string LineBreak = "\r\n";

protected:
    // The primitives a descendant provides.
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const { return nullptr; }
    virtual void PutObject(int index, TObject* object) {}
    // Compares two strings as IndexOf and IndexOfName do; ignores letter case
    // unless a descendant says otherwise.
    virtual int CompareStrings(std::string_view a, std::string_view b) const;
    // Called with true by the first BeginUpdate and with false by the last EndUpdate.
    virtual void SetUpdateState(bool updating) {}
    // Number of open BeginUpdate calls.
    int UpdateCount() const { return updateCount_; }

private:
    std::string DelimitedTextWith(char delimiter, char quote, bool strict) const;
    void SetDelimitedTextWith(std::string_view text, char delimiter, char quote, bool strict);
    int NameSeparatorIndex(const std::string& line) const;

    int updateCount_ = 0;
};
