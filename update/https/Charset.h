// How a response body becomes text, following its Content-Type.
#pragma once

#include <string>
#include <string_view>

namespace quirel::update {

// The character set that applies to a body of this Content-Type, lower-cased: the charset
// parameter when there is one, else "iso-8859-1" for text/* and "us-ascii" for text/xml and
// text/*+xml; "" when none applies (no Content-Type, or another main type without charset).
std::string EffectiveCharset(std::string_view contentType);

// The body as text in that character set. Decoded are UTF-8, ISO-8859-1 and US-ASCII and,
// through the system's code pages, the windows-/cp- and ISO-8859 families and a few common
// others; malformed sequences become U+FFFD. With no character set, an unknown one or one
// the system lacks, each byte becomes the character of the same number: nothing is lost
// and plain ASCII answers read the same whatever the label says.
std::wstring DecodeResponseText(std::string_view body, std::string_view contentType);

}  // namespace quirel::update
