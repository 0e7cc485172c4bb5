// The installed font families, as the Express font list orders them.
#pragma once

#include <string>
#include <vector>

/// Family names known to fontconfig, without duplicates, sorted by their bytes.
std::vector<std::string> FontFamilies();

/// The family at `index` of FontFamilies(), or "" when there is none there.
std::string FontFamilyAt(long long index);
