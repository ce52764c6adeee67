#pragma once
// UTF-16 text as the model sees it, and conversions at the platform boundary.
#include <string>
#include <string_view>

namespace nrv {

using Text = std::u16string;
using TextView = std::u16string_view;

// Lossless for well-formed input; unpaired surrogates become U+FFFD.
std::string ToUtf8(TextView text);
Text FromUtf8(std::string_view text);

// Text from plain ASCII literals and numbers, for messages built in the model.
Text Ascii(std::string_view ascii);

}  // namespace nrv
