// The class library's date and time value: days since 1899-12-30, the time of
// day as the fraction (the OLE date).
#pragma once

using TDateTime = double;
