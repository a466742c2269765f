// The layering that the architecture draws, as rules and as a check over a
// source tree. Every include of every source file, in either form, is
// resolved against the tree and held against the order of the layers, so
// that an arrow pointing up or sideways is found before it grows into a
// circle. The check fails closed: a source file in a folder no rule names,
// or an include that reaches such a file, is reported too, so a new folder
// has to be given its place before its code can pass.
//
// The order, bottom to top:
//
//   platform/text rtl win com forms gfx controls office outlook sim
//   xml  htmllabel  framework  addin  tools
//
// A layer includes its own folder and the layers below it. platform/sim (the
// simulated hosts) serves tests and tools only, never the libraries above
// the platform. Tests of a layer reach no higher layer; end-to-end tests
// load the product as a library and so reach only the platform and the
// simulation; test helpers shared between layers live in tests/support,
// which stands on the platform alone.
//
// Inside the framework and the product each room holds one topic and uses
// only the rooms below it; the files at the layer's root (the factory, the
// add-in object and the module; the product's module) use every room, and a
// room reaches the module only through its layer's narrow header of module
// services. Bottom to top:
//
//   framework/  support, then ribbon, events and panes (each on support
//               alone), commandbars (also on ribbon), hosts (on all but
//               ribbon), root
//   addin/      settings  dialogs  send  root  library
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace house {

// One thing the check found: where, what was written, and why it breaks the
// layering. Line is 0 for a file that belongs to no layer.
struct Finding {
    std::string File;
    int Line = 0;
    std::string Written;
    std::string Why;
};

// Why a source file at source (a path from the tree's root) including the
// tree's file target breaks the layering; empty when it does not.
std::string Violation(const std::string& source, const std::string& target);

// Whether the rules give the file at path (from the root) a place.
bool HasAPlace(const std::string& path);

// Every finding in the source tree at root: files without a place, and
// includes that point up, sideways or to a file without a place.
std::vector<Finding> CheckTree(const std::filesystem::path& root);

// The findings one a line, as "file:line: "written" why".
std::string Report(const std::vector<Finding>& findings);

// Source files of the tree at root (paths from the root), leaving out
// hidden folders and CMake build trees.
std::vector<std::string> SourceFiles(const std::filesystem::path& root);

} // namespace house
