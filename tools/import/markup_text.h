// The text of a dictionary entry written in HTML or in Pango markup.
#pragma once

#include <string>
#include <string_view>

namespace import {

// `markup` (UTF-8) without its tags: those that break a line or begin or end
// a block (br, p, div, li, ...) become line ends; character references
// (&amp;, &#233;, &#x3042;, a few named ones) are decoded; runs of spaces
// and TABs become one space. A '<' or '&' that begins no tag or reference
// stays as it is.
std::string MarkupToText(std::string_view markup);

}  // namespace import
