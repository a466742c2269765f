// What bars and controls share: the change-counter records under the
// add-in's key ("\CommandBars" for bars, "\Controls" for controls: one
// integer value per bar name or control tag, the counter last pushed), and
// writing a value to a host object only when the host holds another.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

#include <cstdint>
#include <string>

// True when the record Name under AddInKey + SubKey is missing or differs
// from Counter (the key is created when missing). A module without an
// add-in key (no factory) keeps no records: always true.
bool adxRecordChanged(const std::string& AddInKey, const char* SubKey, const std::string& Name,
                      int32_t Counter);
// Writes Counter as the record Name; nothing without an add-in key.
void adxWriteRecord(const std::string& AddInKey, const char* SubKey, const std::string& Name,
                    int32_t Counter);
// The record Name, or -1 when the key or the value is missing.
int32_t adxReadRecord(const std::string& AddInKey, const char* SubKey, const std::string& Name);

// Reads property Name of Host and writes Value when the host's differs
// (booleans as true/false, strings exactly, everything else as integers).
// Returns whether it wrote. Host failures raise.
bool adxPushHostValue(IDispatch* Host, const char* Name, const Variant& Value);
