#include "hardware/artifacts/model_reader.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace corvane::artifacts {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits; false when there was none.
bool Digits(std::string_view text, size_t& at) {
  const size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at > start;
}

}  // namespace

std::optional<float> ParseCommaDecimal(std::string_view text) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  if (!Digits(text, at)) return std::nullopt;
  if (at < text.size() && text[at] == ',') {
    ++at;
    if (!Digits(text, at)) return std::nullopt;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    if (!Digits(text, at)) return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  // strtod reads the decimal point of the "C" locale, which this process never changes.
  std::string c(text);
  for (char& ch : c)
    if (ch == ',') ch = '.';
  const double value = std::strtod(c.c_str(), nullptr);
  if (!std::isfinite(value) || std::fabs(value) > 1e30) return std::nullopt;
  return static_cast<float>(value);
}

std::optional<std::vector<float>> ReadCommaNumbers(std::string_view text, size_t count) {
  // Blank lines at the end are the end of the file; anywhere else a line is a number.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  std::vector<float> numbers;
  numbers.reserve(count);
  size_t at = 0;
  while (!text.empty() && at <= text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (numbers.size() == count) return std::nullopt;
    const std::optional<float> number = ParseCommaDecimal(line);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

std::optional<std::vector<Triangle>> ReadTriangles(std::string_view bytes) {
  if (bytes.size() != kModelTriangles * sizeof(Triangle)) return std::nullopt;
  std::vector<Triangle> triangles(kModelTriangles);
  for (size_t t = 0; t < kModelTriangles; ++t) {
    for (size_t i = 0; i < 6; ++i) {
      const size_t at = (t * 6 + i) * 2;
      const auto index =
          static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
      if (index >= (i < 3 ? kModelVertices : kModelNormals)) return std::nullopt;
      triangles[t][i] = index;
    }
  }
  return triangles;
}

ModelRead ReadModel(const ModelFiles& files) {
  ModelRead read;
  std::optional<std::vector<Triangle>> triangles = ReadTriangles(files.faceIndices);
  if (!triangles) {
    read.failed = ModelPart::FaceIndices;
    return read;
  }
  std::optional<std::vector<float>> normals = ReadCommaNumbers(files.normals, kModelNormals * 3);
  if (!normals) {
    read.failed = ModelPart::Normals;
    return read;
  }
  std::optional<std::vector<float>> vertices = ReadCommaNumbers(files.vertices, kModelVertices * 3);
  if (!vertices) {
    read.failed = ModelPart::Vertices;
    return read;
  }
  read.model = Model{std::move(*triangles), std::move(*normals), std::move(*vertices)};
  return read;
}

}  // namespace corvane::artifacts
