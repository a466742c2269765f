// Processing instructions.
#include "xml/DomProcessingInstruction.h"

TRwProcessingInstruction::TRwProcessingInstruction(TRwDOMDocument* ownerDocument,
                                                   std::u16string_view target,
                                                   std::u16string_view data)
    : TRwDOMNode(ownerDocument, RwNodeType::ProcessingInstruction, target, {}),
      data_(data, Resource()) {}
