// The META tags written into the head of every Advanced index page.
#pragma once

#include <string>

#include "settings/records.h"

/// MetaGen, then each switched-on tag (keywords, description, author,
/// copyright, distribution, extra, robots, revisit-after), each followed by
/// CR LF. A Bots value other than "0" to "5" gives no robots tag.
std::string BuildMetaBlock(const AdvancedSettings& settings);
