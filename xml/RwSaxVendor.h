// The vendor object of the Reedwing reader: registered under "Reedwing" and
// made the default vendor while the library is loaded.
#pragma once

#include "xml/SaxVendors.h"

class TRwSAXNativeVendor : public TBufferedSAXVendor {
public:
    // "Reedwing".
    SAXString Description() override { return u"Reedwing"; }
    // Nil: the reader takes buffered handlers only.
    ComPtr<IXMLReader> XMLReader() override { return nullptr; }
    // A new TRwSAXXMLReader.
    ComPtr<IBufferedXMLReader> BufferedXMLReader() override;
};
