// SAX error objects.
#include "xml/SaxErrors.h"

ComPtr<ISAXParseError> TSAXParseError::Create(const SAXString& message, int32_t line,
                                              int32_t column) {
    return ComPtr<ISAXParseError>::Adopt(ComMaker::New<TSAXParseError>(message, line, column));
}
