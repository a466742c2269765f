// The XML document tree: what callers include to build, read, change and
// write XML documents.
//
//   ComPtr<IRwDOMDocument> doc;
//   RwGetDOMDocumentFromString(u"<?xml version=\"1.0\"?>", doc);
//   auto settings = doc->CreateElement(u"settings");
//   settings->SetAttribute(u"id", u"3");
//   doc->AppendChild(settings.Get());
//   std::string file = doc->GetUTF8FormatXML("\r\n", "", "  ");
#pragma once

#include "xml/DomAttr.h"
#include "xml/DomBuilder.h"
#include "xml/DomCharacterData.h"
#include "xml/DomDocument.h"
#include "xml/DomElement.h"
#include "xml/DomException.h"
#include "xml/DomInterfaces.h"
#include "xml/DomLoad.h"
#include "xml/DomNodeList.h"
#include "xml/DomProcessingInstruction.h"
#include "xml/RwXmlVariant.h"
