// The class library's message texts for components, forms and dialogs, kept
// word for word: forms, dialogs and tests show and compare them as the class
// library wrote them.
#pragma once

namespace FormConsts {

// Components.
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "'%s' is not a valid component name";

// The form reader.
inline constexpr const char* SPropertyException = "Error reading %s.%s: %s";
inline constexpr const char* SUnknownProperty = "Property %s does not exist";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SMethodNotFound = "Method %s not found";
inline constexpr const char* SResNotFound = "Resource %s not found";

// Captions of the message dialog by type.
inline constexpr const char* SMsgDlgWarning = "Warning";
inline constexpr const char* SMsgDlgError = "Error";
inline constexpr const char* SMsgDlgInformation = "Information";
inline constexpr const char* SMsgDlgConfirm = "Confirm";

// Captions of the message dialog's buttons.
inline constexpr const char* SMsgDlgYes = "&Yes";
inline constexpr const char* SMsgDlgNo = "&No";
inline constexpr const char* SMsgDlgOK = "OK";
inline constexpr const char* SMsgDlgCancel = "Cancel";
inline constexpr const char* SMsgDlgAbort = "&Abort";
inline constexpr const char* SMsgDlgRetry = "&Retry";
inline constexpr const char* SMsgDlgIgnore = "&Ignore";
inline constexpr const char* SMsgDlgAll = "&All";
inline constexpr const char* SMsgDlgNoToAll = "N&o to All";
inline constexpr const char* SMsgDlgYesToAll = "Yes to &All";
inline constexpr const char* SMsgDlgHelp = "&Help";

} // namespace FormConsts
