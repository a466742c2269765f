// Reading XML text into a document tree: the reader drives the builder.
//
// A document that does not parse ends these functions with the ESAXException
// of its first fatal error ("Unexptected End Of Document!" and the like); the
// document variable then holds what was built up to the error. Warnings and
// recoverable errors are ignored.
#pragma once

#include "platform/rtl/Streams.h"
#include "xml/DomInterfaces.h"

#include <string_view>

// Parses text into document: a new document when document is nil, else the
// content is added after the document's children. Empty text sets document to nil.
void RwGetDOMDocumentFromString(std::u16string_view text, ComPtr<IRwDOMDocument>& document);
// Parses stream into document; with ownsStream the stream is freed when done.
void RwGetDOMDocument(TStream* stream, bool ownsStream, ComPtr<IRwDOMDocument>& document);
// The same as RwGetDOMDocument.
void RwGetDOMDocumentEx(TStream* stream, bool ownsStream, ComPtr<IRwDOMDocument>& document);
// Parses stream into document (created when nil) below parent (the document
// itself when nil); with ownsStream the stream is freed when done.
void RwAddXMLToDOMDocument(TStream* stream, ComPtr<IRwDOMDocument>& document, IRwDOMNode* parent,
                           bool ownsStream);
