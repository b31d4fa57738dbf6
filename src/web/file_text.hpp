// The text of a source file the page opens: UTF-16 with a byte order mark, else
// UTF-8 when the bytes are valid UTF-8 (a byte order mark dropped), else CP932; line
// ends as the editor holds them.
#pragma once

#include <string_view>

#include "machine/charset.hpp"

namespace comet {

Text fileText(std::string_view bytes);

}  // namespace comet
