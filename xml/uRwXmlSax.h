// The XML library's SAX layer: the SAX2 interfaces in buffered and 16-bit
// string form, the error objects and exceptions, the do-nothing handler and
// the vendor registry.
#pragma once

#include "xml/DefaultHandler.h"
#include "xml/SaxErrors.h"
#include "xml/SaxInterfaces.h"
#include "xml/SaxVendors.h"
