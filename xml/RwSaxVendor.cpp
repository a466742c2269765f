// The Reedwing vendor object.
#include "xml/RwSaxVendor.h"

#include "xml/RwSaxReader.h"

ComPtr<IBufferedXMLReader> TRwSAXNativeVendor::BufferedXMLReader() {
    return TRwSAXXMLReader::Create();
}
