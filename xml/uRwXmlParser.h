// The XML library's reader: the text base (messages, exceptions, buffers,
// UTF-8), the value conversions, the character reader and the SAX reader with
// its handlers and vendor.
#pragma once

#include "xml/RwCharReader.h"
#include "xml/RwException.h"
#include "xml/RwMessages.h"
#include "xml/RwSaxAttributes.h"
#include "xml/RwSaxHandlers.h"
#include "xml/RwSaxReader.h"
#include "xml/RwSaxVendor.h"
#include "xml/RwString.h"
#include "xml/RwUtf8.h"
#include "xml/RwXmlConvert.h"
#include "xml/RwXmlStringBuffer.h"
#include "xml/uRwXmlSax.h"
