#pragma once
// The address of the update description, from corvane.ini's server and file entries.

#include <optional>
#include <string>
#include <string_view>

namespace corvane::outside {

// "http://" + server when the server names no scheme, then the file address with exactly
// one '/' between them; a file address that is itself a full http(s) address stands alone.
// Nothing for an empty server or file, or text with spaces or control characters.
std::optional<std::string> BuildUpdateUrl(std::string_view server, std::string_view file);

}  // namespace corvane::outside
