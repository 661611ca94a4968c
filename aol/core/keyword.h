#pragma once

#include <string_view>

namespace aol {

// Sends the client to a keyword or an "aol://" link: the text goes into the
// toolbar's keyword box, then a space and Enter are typed. Nothing waits for
// the client; callers that need the resulting window wait for it themselves.
void Keyword(std::string_view target);

// Chat rooms by name, through the client's room links.
void EnterRoom2(std::string_view room);
void EnterRoom21(std::string_view room);
void EnterRoom61(std::string_view room);

}  // namespace aol
