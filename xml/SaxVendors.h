// The registry of SAX vendors: each vendor object makes readers of one
// implementation and is known by its Description. The registry owns the
// vendor objects registered with it.
#pragma once

#include "platform/com/ComPtr.h"
#include "xml/SaxInterfaces.h"

#include <string>

// Makes readers of one SAX implementation.
class TSAXVendor {
public:
    virtual ~TSAXVendor() = default;
    // The name the vendor is registered under.
    virtual SAXString Description() = 0;
    // A new reader with 16-bit string handlers, or nil when the vendor has none.
    virtual ComPtr<IXMLReader> XMLReader() = 0;
};

// A vendor whose readers take buffered handlers.
class TBufferedSAXVendor : public TSAXVendor {
public:
    // A new reader with buffered handlers.
    virtual ComPtr<IBufferedXMLReader> BufferedXMLReader() = 0;
};

// Registers vendor, which the registry then owns. A vendor registered under the
// same Description before is freed and replaced; registering the same object
// again changes nothing.
void RegisterSAXVendor(TSAXVendor* vendor);
// Frees and removes the registered vendor that is this object or, failing
// that, has its Description; nothing when there is none.
void UnregisterSAXVendor(TSAXVendor* vendor);
// Frees every registered vendor.
void ClearVendors();
// The registered vendor with this Description, or nil.
TSAXVendor* GetSAXVendor(const SAXString& description);
// The default vendor, or nil when it is not registered.
TSAXVendor* GetSAXVendor();
// The Description of the default vendor.
SAXString DefaultSAXVendor();
// Makes the vendor of this Description the default.
void SetDefaultSAXVendor(const SAXString& description);
