// The writer: a node and its subtree as XML text, in the library's fixed
// format (the configuration file's format rests on it). Values and texts are
// written as they are held, since the tree keeps them escaped.
#pragma once

#include <string>
#include <string_view>

class TRwDOMNode;

// node and its subtree as XML text; each line ends with lineBreak and is
// indented by indent plus one indentUnit per level below node.
std::u16string RwNodeToXML(const TRwDOMNode& node, std::string_view lineBreak = {},
                           std::string_view indent = {}, std::string_view indentUnit = {});
// Whether text is empty or holds only characters up to U+0020 (what the
// class library's Trim removes): the writer puts a line break in place of
// such a value of an element with children.
bool RwIsBlank(std::u16string_view text) noexcept;
// The same text as UTF-8.
std::string RwNodeToUTF8XML(const TRwDOMNode& node, std::string_view lineBreak = {},
                            std::string_view indent = {}, std::string_view indentUnit = {});
