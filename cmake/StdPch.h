// The precompiled header of the libraries and programs: the standard headers
// nearly every file of ours includes. It only saves compile time; each file
// still includes what it uses.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
