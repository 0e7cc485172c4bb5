// File names written into pages, each for the place where it lands: a link
// leads to its file whatever bytes its name holds, a visible name reads as
// text, and no name can end a string, an attribute or a tag. Names made only
// of letters, digits, blanks, "-", "_" and "." come out unchanged.
#pragma once

#include <string>
#include <string_view>

/// A name as text a reader sees: each broken UTF-8 byte as U+FFFD, then
/// & < > " as entities (& first).
std::string HtmlText(std::string_view name);

/// A name as the address of a link or an image: % # ? ' \ : and every
/// broken byte as %XX (upper-case hex), then & < > " as entities. So the link
/// stays relative and leads to its file: no name reads as a URL scheme.
std::string HtmlUrl(std::string_view name);

/// A name as one address of a srcset list: HtmlUrl() with blanks, other
/// white space and commas also as %XX, since they would end the address.
std::string SrcsetUrl(std::string_view name);

/// A name inside a "javascript:" link: HtmlUrl() with every "%" written once
/// more as "%25", because the browser decodes the link once before running
/// it. "O'Brien.jpg" gives "O%2527Brien.jpg".
std::string JavaScriptUrl(std::string_view name);

/// `code` with every `tag` replaced by `name`, each occurrence written for
/// where it lands, reading the code as HTML up to it: in the value of a URL
/// attribute (href, src, background, action, lowsrc, data, poster) as
/// HtmlUrl(), or JavaScriptUrl() when the value starts with "javascript:";
/// in the value of an event attribute ("on...") as HtmlUrl(); in any other
/// attribute as HtmlText() with ' also as &#39;; anywhere else as HtmlText().
std::string FillNameTag(std::string_view code, std::string_view tag, std::string_view name);
