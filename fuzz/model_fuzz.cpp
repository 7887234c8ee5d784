// The artifact tester's model files in the install's "3d" folder: the triangles' indices
// (binary, a fixed size) and the vertices and normals as decimal-comma text. The first
// byte picks the reader; the index file is made up to its size by repeating the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "hardware/artifacts/model_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane::artifacts;
  FuzzedDataProvider input(data, size);
  const uint8_t choice = input.ConsumeIntegral<uint8_t>();
  if (choice % 2 == 0) {
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, 64);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const auto numbers = ReadCommaNumbers(text, count);
    if (numbers && numbers->size() != count) std::abort();
    return 0;
  }
  const std::string pattern = input.ConsumeRemainingBytesAsString();
  if (pattern.empty()) return 0;
  std::string bytes;
  bytes.reserve(kModelTriangles * sizeof(Triangle));
  while (bytes.size() < kModelTriangles * sizeof(Triangle)) bytes += pattern;
  bytes.resize(kModelTriangles * sizeof(Triangle));
  if (const auto triangles = ReadTriangles(bytes)) {
    for (const Triangle& t : *triangles)
      for (size_t i = 0; i < 6; ++i)
        if (t[i] >= (i < 3 ? kModelVertices : kModelNormals)) std::abort();
  }
  return 0;
}
