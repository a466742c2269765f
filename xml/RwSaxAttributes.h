// The attributes of one start tag as the SAX reader hands them to its content
// handler: TRwSAXAttributes answers both the buffered and the 16-bit string
// attributes interfaces over a list of TRwSAXAttribute records. The reader
// fills only names and values; URI and type of every attribute are empty.
#pragma once

#include "platform/com/ComObject.h"
#include "xml/RwXmlStringBuffer.h"
#include "xml/SaxInterfaces.h"

#include <memory>
#include <vector>

// A name being read; knows where its first ":" is and whether it declares a
// namespace ("xmlns" at its start in any letter case).
class TRwSaxNameBuffer : public TRwXmlStringBuffer {
public:
    // The whole name.
    std::u16string_view QName() const { return WideView(); }
    // The prefix: before the first ":", or for a namespace declaration the
    // part after it (empty for "xmlns" alone).
    std::u16string_view Prefix() const;
    // The local name: after the first ":" (the whole name without one); empty
    // for a namespace declaration.
    std::u16string_view LocalName() const;
    // True when the name declares a namespace.
    bool IsNamespaceDeclaration() const;

private:
    size_t Colon() const;
};

// One attribute of a start tag.
class TRwSAXAttribute {
public:
    // The element depth at which it was read.
    int32_t Depth = 0;
    TRwSaxNameBuffer Name;
    TRwXmlStringBuffer Type;
    TRwXmlStringBuffer URI;
    TRwXmlStringBuffer Value;
};

class TRwSAXAttributes : public ComObject<IBufferedAttributes, IAttributes> {
    friend struct ComMaker;

public:
    // A new, empty attributes object.
    static ComPtr<TRwSAXAttributes> Create();

    // Empties the list; the records are kept for the next start tag.
    void Clear() { count_ = 0; }
    // Appends a record (reusing an old one) and returns it, its buffers empty.
    TRwSAXAttribute& Add(int32_t depth);
    // The records in the order read.
    size_t Count() const { return count_; }
    TRwSAXAttribute& Item(size_t index) { return *items_[index]; }

    int32_t getLength() override { return static_cast<int32_t>(count_); }
    void getURI(int32_t index, PSAXChar& uri, int32_t& uriLength) override;
    void getLocalName(int32_t index, PSAXChar& localName, int32_t& localNameLength) override;
    void getQName(int32_t index, PSAXChar& qName, int32_t& qNameLength) override;
    void getType(int32_t index, PSAXChar& type, int32_t& typeLength) override;
    void getValue(int32_t index, PSAXChar& value, int32_t& valueLength) override;
    int32_t getIndex(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                     int32_t localNameLength) override;
    int32_t getIndex(PSAXChar qName, int32_t qNameLength) override;
    void getType(PSAXChar uri, int32_t uriLength, PSAXChar localName, int32_t localNameLength,
                 PSAXChar& type, int32_t& typeLength) override;
    void getType(PSAXChar qName, int32_t qNameLength, PSAXChar& type, int32_t& typeLength) override;
    void getValue(PSAXChar uri, int32_t uriLength, PSAXChar localName, int32_t localNameLength,
                  PSAXChar& value, int32_t& valueLength) override;
    void getValue(PSAXChar qName, int32_t qNameLength, PSAXChar& value,
                  int32_t& valueLength) override;

    SAXString getURI(int32_t index) override;
    SAXString getLocalName(int32_t index) override;
    SAXString getQName(int32_t index) override;
    SAXString getType(int32_t index) override;
    SAXString getValue(int32_t index) override;
    int32_t getIndex(const SAXString& uri, const SAXString& localName) override;
    int32_t getIndex(const SAXString& qName) override;
    SAXString getType(const SAXString& uri, const SAXString& localName) override;
    SAXString getType(const SAXString& qName) override;
    SAXString getValue(const SAXString& uri, const SAXString& localName) override;
    SAXString getValue(const SAXString& qName) override;

protected:
    TRwSAXAttributes() = default;
    ~TRwSAXAttributes() override = default;

private:
    TRwSAXAttribute* At(int32_t index);
    int32_t IndexOf(std::u16string_view uri, std::u16string_view localName);
    int32_t IndexOf(std::u16string_view qName);

    std::vector<std::unique_ptr<TRwSAXAttribute>> items_;
    size_t count_ = 0;
};
