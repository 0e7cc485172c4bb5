// The script and style sheets the program writes into Express pages, kept as
// files of their own in web/ and built into the program.
#pragma once

#include <string_view>

/// The picture viewer's script (web/viewer.js) and style sheet (viewer.css).
std::string_view ViewerScript();
std::string_view ViewerStyle();

/// The style sheet of pages that fit any screen (web/fit.css).
std::string_view FitStyle();
