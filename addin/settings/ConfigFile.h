// The configuration file "Zub.xml" in the data folder: the user's settings
// (switches, default filing folder and category, main button caption, the
// folder picker's expanded nodes and its recently used folders) as XML,
// written whenever a setting changes and read at start-up and after every
// change. The file goes through the XML library's tree and writer only; its
// exact text (a UTF-8 declaration, two comments, the root "config" with its
// five children, CR LF line ends, two blanks per level) is the format other
// versions of the add-in read.
//
// The file is replaced atomically: a save that fails leaves the old file as
// it was, says so in the log and reports false, so that nobody reads the old
// file back over what the user has just chosen.
#pragma once

#include "platform/rtl/DateTime.h"
#include "xml/DomInterfaces.h"

#include <string>
#include <string_view>

// The file's name in the data folder.
inline constexpr const char* ConfigFileName = "Zub.xml";
// The declaration the file starts with, in place of the writer's own.
inline constexpr std::string_view ConfigDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
// Files larger than this are refused unread (the add-in's own are a few kilobytes).
inline constexpr size_t MaxConfigFileSize = 16 * 1024 * 1024;

// The configuration file's path (the data folder is made when missing).
std::string ConfigFilePath();

// Writes the program-wide settings to "Zub.xml", stamped with the clock's
// local time. False when the file could not be written: the old file is then
// kept and the failure is in the log.
bool SaveButtonsToFile();
// Clears folder record 1 (ResetButtonAllocations), then reads "Zub.xml" when
// it exists. Elements missing from the file leave their settings as they were.
// Recently used entries whose id is no number from 1 to 20 are left out, and
// the entries read move up, in id order, to fill the slots from 1 on.
//
// A file that does not parse raises the XML reader's ESAXException; a folder
// or mru element without an attribute, a folder id that is not an integer, a
// switch that is not a Boolean or a timerdelay that is not an integer raises
// EQelError naming the element, the value and the file. Either way the reading stops there, the
// settings read before the fault stay, and any-default-action agrees with the switches as they now
// are, so that a caller (start-up) can report the error and go on.
void LoadButtonsFromFile();
// Saves the settings and reads them back, as the configuration dialog does
// when it closes with OK. When the save fails, the settings in memory stay
// as the user chose them (the old file is not read back over them) and only
// any-default-action is derived from them anew. Raises what
// LoadButtonsFromFile raises; false when the save failed.
bool SaveAndReloadButtons();
// Clears folder record 1, the default filing folder.
void ResetButtonAllocations();
// Deletes "Zub.xml", reads the settings again (which by itself clears only
// the default filing folder in memory; the configuration dialog resets the
// other settings) and places the module's ribbon state again.
void ResetConfigFile();
// Sets any-default-action from the seven switches of the default actions.
void UpdateAnyDefaultAction();

// Creates an element Name in Parent's document, appends it to Parent and,
// when Value is not empty, sets its text; returns the element.
ComPtr<IRwDOMElement> AddDomElement(IRwDOMNode* Parent, std::u16string_view Name,
                                    std::u16string_view Value);
// Appends a comment with Text to Document.
void AddDomComment(IRwDOMDocument* Document, std::u16string_view Text);

// The file's bytes for the writer's text: its own declaration
// <?xml version="1.0"?> is replaced by ConfigDeclaration and the rest is
// encoded as UTF-8 (text without that declaration gets ConfigDeclaration in
// front of it).
std::string AUtf8EncodeReedwingXML(std::u16string_view Text);
// The inverse, for the reader: a text that starts with ConfigDeclaration (any
// letter case) is decoded from UTF-8 behind the writer's own declaration; any
// other text is 8-bit text in the system code page.
std::u16string AUtf8DecodeReedwingXml(std::string_view Text);

// The document the settings make, stamped with moment (local time).
ComPtr<IRwDOMDocument> ConfigDocument(TDateTime moment);
// The file's text for the settings, before its UTF-8 encoding.
std::u16string ConfigText(TDateTime moment);
// Reads the settings from the file's bytes as LoadButtonsFromFile does (after
// clearing folder record 1); fileName names the file in error messages.
void LoadButtonsFromBytes(std::string_view bytes, const std::string& fileName);
