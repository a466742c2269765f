// Helpers of the SAX interfaces.
#include "xml/SaxInterfaces.h"

SAXString PSAXCharToSAXString(PSAXChar p, int32_t length) {
    if (!p)
        return {};
    if (length < 0)
        return SAXString(p);
    return SAXString(p, static_cast<size_t>(length));
}
