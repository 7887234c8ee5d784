#include "outside/hook_logic/update_url.h"

#include <algorithm>
#include <cctype>

namespace corvane::outside {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char expected, char c) { return std::tolower(static_cast<unsigned char>(c)) == expected; });
}

bool HasWebScheme(std::string_view text) { return StartsWithNoCase(text, "http://") || StartsWithNoCase(text, "https://"); }

bool Clean(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

}  // namespace

std::optional<std::string> BuildUpdateUrl(std::string_view server, std::string_view file) {
  server = Trim(server);
  file = Trim(file);
  if (file.empty() || !Clean(file)) return std::nullopt;
  if (HasWebScheme(file)) return std::string(file);
  if (server.empty() || !Clean(server)) return std::nullopt;
  std::string url = HasWebScheme(server) ? std::string(server) : "http://" + std::string(server);
  if (url.find("://") != url.rfind("://")) return std::nullopt;
  while (!url.empty() && url.back() == '/') url.pop_back();
  while (!file.empty() && file.front() == '/') file.remove_prefix(1);
  if (file.empty()) return std::nullopt;
  return url + "/" + std::string(file);
}

}  // namespace corvane::outside
