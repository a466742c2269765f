// The attributes object of the SAX reader.
#include "xml/RwSaxAttributes.h"

#include "platform/text/Text.h"

namespace {

std::u16string_view View(PSAXChar p, int32_t length) {
    if (!p)
        return {};
    return length < 0 ? std::u16string_view(p)
                      : std::u16string_view(p, static_cast<size_t>(length));
}

void Out(std::u16string_view text, PSAXChar& p, int32_t& length) {
    p = text.data();
    length = static_cast<int32_t>(text.size());
}

} // namespace

size_t TRwSaxNameBuffer::Colon() const {
    size_t colon = QName().find(u':');
    return colon == std::u16string_view::npos ? QName().size() : colon;
}

bool TRwSaxNameBuffer::IsNamespaceDeclaration() const {
    // Only "x" and "X" compare equal to "x": most names are settled by their
    // first letter without the slower comparison of the whole word.
    return QName().size() >= 5 && (QName()[0] == u'x' || QName()[0] == u'X') &&
           text::SameText(QName().substr(0, 5), u"xmlns");
}

std::u16string_view TRwSaxNameBuffer::Prefix() const {
    size_t colon = Colon();
    if (IsNamespaceDeclaration())
        return colon < QName().size() ? QName().substr(colon + 1) : std::u16string_view();
    return colon < QName().size() ? QName().substr(0, colon) : std::u16string_view();
}

std::u16string_view TRwSaxNameBuffer::LocalName() const {
    if (IsNamespaceDeclaration())
        return {};
    size_t colon = Colon();
    return colon < QName().size() ? QName().substr(colon + 1) : QName();
}

ComPtr<TRwSAXAttributes> TRwSAXAttributes::Create() {
    return ComPtr<TRwSAXAttributes>::Adopt(ComMaker::New<TRwSAXAttributes>());
}

TRwSAXAttribute& TRwSAXAttributes::Add(int32_t depth) {
    if (count_ == items_.size())
        items_.push_back(std::make_unique<TRwSAXAttribute>());
    TRwSAXAttribute& attribute = *items_[count_++];
    attribute.Depth = depth;
    attribute.Name.Clear();
    attribute.Type.Clear();
    attribute.URI.Clear();
    attribute.Value.Clear();
    return attribute;
}

TRwSAXAttribute* TRwSAXAttributes::At(int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < count_ ? items_[index].get() : nullptr;
}

// The URI is compared only when one is given.
int32_t TRwSAXAttributes::IndexOf(std::u16string_view uri, std::u16string_view localName) {
    for (size_t i = 0; i < count_; ++i)
        if (items_[i]->Name.LocalName() == localName &&
            (uri.empty() || items_[i]->URI.WideView() == uri))
            return static_cast<int32_t>(i);
    return -1;
}

int32_t TRwSAXAttributes::IndexOf(std::u16string_view qName) {
    for (size_t i = 0; i < count_; ++i)
        if (items_[i]->Name.QName() == qName)
            return static_cast<int32_t>(i);
    return -1;
}

void TRwSAXAttributes::getURI(int32_t index, PSAXChar& uri, int32_t& uriLength) {
    TRwSAXAttribute* a = At(index);
    Out(a ? a->URI.WideView() : std::u16string_view(), uri, uriLength);
}
void TRwSAXAttributes::getLocalName(int32_t index, PSAXChar& localName, int32_t& localNameLength) {
    TRwSAXAttribute* a = At(index);
    Out(a ? a->Name.LocalName() : std::u16string_view(), localName, localNameLength);
}
void TRwSAXAttributes::getQName(int32_t index, PSAXChar& qName, int32_t& qNameLength) {
    TRwSAXAttribute* a = At(index);
    Out(a ? a->Name.QName() : std::u16string_view(), qName, qNameLength);
}
void TRwSAXAttributes::getType(int32_t index, PSAXChar& type, int32_t& typeLength) {
    TRwSAXAttribute* a = At(index);
    Out(a ? a->Type.WideView() : std::u16string_view(), type, typeLength);
}
void TRwSAXAttributes::getValue(int32_t index, PSAXChar& value, int32_t& valueLength) {
    TRwSAXAttribute* a = At(index);
    Out(a ? a->Value.WideView() : std::u16string_view(), value, valueLength);
}
int32_t TRwSAXAttributes::getIndex(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                                   int32_t localNameLength) {
    return IndexOf(View(uri, uriLength), View(localName, localNameLength));
}
int32_t TRwSAXAttributes::getIndex(PSAXChar qName, int32_t qNameLength) {
    return IndexOf(View(qName, qNameLength));
}
void TRwSAXAttributes::getType(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                               int32_t localNameLength, PSAXChar& type, int32_t& typeLength) {
    getType(getIndex(uri, uriLength, localName, localNameLength), type, typeLength);
}
void TRwSAXAttributes::getType(PSAXChar qName, int32_t qNameLength, PSAXChar& type,
                               int32_t& typeLength) {
    getType(getIndex(qName, qNameLength), type, typeLength);
}
void TRwSAXAttributes::getValue(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                                int32_t localNameLength, PSAXChar& value, int32_t& valueLength) {
    getValue(getIndex(uri, uriLength, localName, localNameLength), value, valueLength);
}
void TRwSAXAttributes::getValue(PSAXChar qName, int32_t qNameLength, PSAXChar& value,
                                int32_t& valueLength) {
    getValue(getIndex(qName, qNameLength), value, valueLength);
}

SAXString TRwSAXAttributes::getURI(int32_t index) {
    TRwSAXAttribute* a = At(index);
    return a ? a->URI.Content() : SAXString();
}
SAXString TRwSAXAttributes::getLocalName(int32_t index) {
    TRwSAXAttribute* a = At(index);
    return a ? SAXString(a->Name.LocalName()) : SAXString();
}
SAXString TRwSAXAttributes::getQName(int32_t index) {
    TRwSAXAttribute* a = At(index);
    return a ? SAXString(a->Name.QName()) : SAXString();
}
SAXString TRwSAXAttributes::getType(int32_t index) {
    TRwSAXAttribute* a = At(index);
    return a ? a->Type.Content() : SAXString();
}
SAXString TRwSAXAttributes::getValue(int32_t index) {
    TRwSAXAttribute* a = At(index);
    return a ? a->Value.Content() : SAXString();
}
int32_t TRwSAXAttributes::getIndex(const SAXString& uri, const SAXString& localName) {
    return IndexOf(uri, localName);
}
int32_t TRwSAXAttributes::getIndex(const SAXString& qName) {
    return IndexOf(qName);
}
SAXString TRwSAXAttributes::getType(const SAXString& uri, const SAXString& localName) {
    return getType(IndexOf(uri, localName));
}
SAXString TRwSAXAttributes::getType(const SAXString& qName) {
    return getType(IndexOf(qName));
}
SAXString TRwSAXAttributes::getValue(const SAXString& uri, const SAXString& localName) {
    return getValue(IndexOf(uri, localName));
}
SAXString TRwSAXAttributes::getValue(const SAXString& qName) {
    return getValue(IndexOf(qName));
}
