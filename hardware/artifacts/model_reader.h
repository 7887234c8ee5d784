#pragma once
// The tester's model: triangles of vertex and normal indices (binary), and the vertices
// and normals as text, one number per line with a decimal comma. Counts and indices are
// checked against the file, so nothing drawn reads past the arrays.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane::artifacts {

inline constexpr size_t kModelTriangles = 8686;
inline constexpr size_t kModelNormals = 4481;
inline constexpr size_t kModelVertices = 4345;

// Vertex indices 0-2, then normal indices 3-5.
using Triangle = std::array<uint16_t, 6>;

struct Model {
  std::vector<Triangle> triangles;
  std::vector<float> normals;   // x, y, z per normal
  std::vector<float> vertices;  // x, y, z per vertex
};

// "0,25", "-1", "3,5E-2": an optional sign, digits, a decimal comma with more digits, an
// optional exponent. Nothing for anything else, the decimal point included.
std::optional<float> ParseCommaDecimal(std::string_view text);

// Exactly `count` numbers, one a line (CR LF or LF; blank lines at the end are allowed).
std::optional<std::vector<float>> ReadCommaNumbers(std::string_view text, size_t count);

// Exactly kModelTriangles triangles of six little-endian 16-bit indices, each vertex
// index below kModelVertices and each normal index below kModelNormals.
std::optional<std::vector<Triangle>> ReadTriangles(std::string_view bytes);

// The three files' bytes.
struct ModelFiles {
  std::string_view faceIndices;  // "face_indicies.dat"
  std::string_view normals;      // "normals.dat"
  std::string_view vertices;     // "vertices.dat"
};

enum class ModelPart { None, FaceIndices, Normals, Vertices };

// The model, or which file was not right.
struct ModelRead {
  std::optional<Model> model;
  ModelPart failed = ModelPart::None;
};
ModelRead ReadModel(const ModelFiles& files);

}  // namespace corvane::artifacts
