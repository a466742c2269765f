// Comparing two document trees, for the round-trip tests and the fuzz target:
// the first difference as a readable path, or an empty text when the trees
// are the same. The walk uses a stack of its own, so deep trees compare too.
#pragma once

#include "xml/uRwXMLDOM.h"

#include <string>

namespace domtest {

// Where a and b differ ("/settings[0]/folder[2]: value 'x' vs 'y'"); empty when
// they hold the same nodes with the same names, values, data and attributes.
// An element's blank value before children counts as empty: the writer
// writes such a value as the line break, so it does not survive a round trip.
std::string FirstDifference(const TRwDOMNode& a, const TRwDOMNode& b);

} // namespace domtest
