// The readers of the tester's model and texture files, on good files and damaged ones.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <variant>

#include "hardware/artifacts/bmp_reader.h"
#include "hardware/artifacts/model_reader.h"
#include "hardware/artifacts/scene_files.h"
#include "platform/sim/user_interaction_sim.h"
#include "platform/sim/whole_file_sim.h"

namespace corvane::artifacts {
namespace {

void Put32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A 24-bit bitmap whose pixel (x, y) is blue x, green y, red 7; `gap` bytes between the
// headers and the pixels.
std::string BitmapFile(int width, int height, size_t gap = 0, uint32_t statedSize = 0) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  std::string bytes(54 + gap + stride * height, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(bytes, 10, static_cast<uint32_t>(54 + gap));
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<uint32_t>(width));
  Put32(bytes, 22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  Put32(bytes, 34, statedSize);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t at = 54 + gap + y * stride + x * 3;
      bytes[at] = static_cast<char>(x);
      bytes[at + 1] = static_cast<char>(y);
      bytes[at + 2] = 7;
    }
  return bytes;
}

TEST(BitmapReader, ReadsRowsWithTheirPaddingAndSwapsRedAndBlue) {
  const auto read = ReadBitmap(BitmapFile(3, 2, /*gap=*/8));
  ASSERT_TRUE(std::holds_alternative<Bitmap>(read)) << std::string(std::get<std::wstring>(read).size(), '?');
  const Bitmap& bitmap = std::get<Bitmap>(read);
  EXPECT_EQ(bitmap.width, 3);
  EXPECT_EQ(bitmap.height, 2);
  ASSERT_EQ(bitmap.rgb.size(), 24u);  // two rows of 9 bytes padded to 12
  // Pixel (2, 1): red 7, green 1, blue 2.
  EXPECT_EQ(bitmap.rgb[12 + 6], 7);
  EXPECT_EQ(bitmap.rgb[12 + 7], 1);
  EXPECT_EQ(bitmap.rgb[12 + 8], 2);
}

TEST(BitmapReader, DamagedFilesAreReportedNotRead) {
  auto with = [](std::string bytes, size_t at, uint32_t value) {
    Put32(bytes, at, value);
    return bytes;
  };
  const std::string good = BitmapFile(4, 4);
  struct Case {
    const char* what;
    std::string file;
    const wchar_t* message;
  };
  const Case cases[] = {
      {"empty", "", L"Error reading palette"},
      {"headers cut short", good.substr(0, 40), L"Error reading palette"},
      {"not a bitmap", "XY" + good.substr(2), L"Error reading palette"},
      {"pixels said to start past the end", with(good, 10, 1'000'000), L"Error reading palette"},
      {"pixels said to start inside the headers", with(good, 10, 20), L"Error reading palette"},
      {"last row missing", good.substr(0, good.size() - 12), L"Error reading bitmap data"},
      {"8 bits per pixel", with(good, 28, 8), L"Error reading bitmap data"},
      {"compressed", with(good, 30, 1), L"Error reading bitmap data"},
      {"huge width", with(good, 18, 0x7FFFFFFF), L"Error reading bitmap data"},
      {"negative height", with(good, 22, 0xFFFFFFFC), L"Error reading bitmap data"},
      {"stated size below the rows", with(good, 34, 10), L"Error reading bitmap data"},
      {"stated size past the end", with(good, 34, 4000), L"Error reading bitmap data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto read = ReadBitmap(c.file);
    ASSERT_TRUE(std::holds_alternative<std::wstring>(read));
    EXPECT_EQ(std::get<std::wstring>(read), c.message);
  }
}

TEST(ModelReader, NumbersHaveADecimalComma) {
  struct Case {
    const char* text;
    std::optional<float> value;
  };
  const Case cases[] = {
      {"0,25", 0.25f}, {"-1", -1.0f}, {"+12,5", 12.5f}, {"3,5E-2", 0.035f}, {"1e3", 1000.0f},
      {"0.25", std::nullopt}, {"", std::nullopt}, {",5", std::nullopt}, {"1,", std::nullopt},
      {"1,2,3", std::nullopt}, {" 1", std::nullopt}, {"nan", std::nullopt}, {"1e999", std::nullopt},
      {"-", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<float> value = ParseCommaDecimal(c.text);
    ASSERT_EQ(value.has_value(), c.value.has_value());
    if (value) {
      EXPECT_FLOAT_EQ(*value, *c.value);
    }
  }
  EXPECT_EQ(ReadCommaNumbers("1,5\r\n-2\r\n0,125\r\n\r\n", 3), (std::vector<float>{1.5f, -2.0f, 0.125f}));
  EXPECT_EQ(ReadCommaNumbers("1,5\n-2\n0,125", 3), (std::vector<float>{1.5f, -2.0f, 0.125f}));
  EXPECT_FALSE(ReadCommaNumbers("1,5\n-2\n", 3)) << "too few";
  EXPECT_FALSE(ReadCommaNumbers("1\n2\n3\n4\n", 3)) << "too many";
  EXPECT_FALSE(ReadCommaNumbers("1\n\n3\n", 2)) << "a blank line inside";
  EXPECT_FALSE(ReadCommaNumbers("1\n2,x\n", 2));
}

std::string Triangles(uint16_t vertex, uint16_t normal, size_t count = kModelTriangles) {
  std::string bytes;
  for (size_t t = 0; t < count; ++t)
    for (int i = 0; i < 6; ++i) {
      const uint16_t index = i < 3 ? vertex : normal;
      bytes += static_cast<char>(index & 0xFF);
      bytes += static_cast<char>(index >> 8);
    }
  return bytes;
}

std::string Numbers(size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += std::to_string(i % 7) + ",5\r\n";
  return text;
}

TEST(ModelReader, CountsAndIndicesMustFitTheArrays) {
  const std::string normals = Numbers(kModelNormals * 3);
  const std::string vertices = Numbers(kModelVertices * 3);
  const std::string faces = Triangles(kModelVertices - 1, kModelNormals - 1);
  const ModelRead good = ReadModel({faces, normals, vertices});
  ASSERT_TRUE(good.model);
  EXPECT_EQ(good.model->triangles.size(), kModelTriangles);
  EXPECT_EQ(good.model->triangles[5][3], kModelNormals - 1);
  EXPECT_EQ(good.model->vertices.size(), kModelVertices * 3);
  EXPECT_FLOAT_EQ(good.model->normals[1], 1.5f);

  struct Case {
    const char* what;
    ModelFiles files;
    ModelPart failed;
  };
  const std::string shortFaces = faces.substr(0, faces.size() - 1);
  const std::string vertexPastEnd = Triangles(kModelVertices, 0);
  const std::string normalPastEnd = Triangles(0, kModelNormals);
  const std::string oneNormalShort = Numbers(kModelNormals * 3 - 1);
  const std::string pointVertices = "0.5\n" + Numbers(kModelVertices * 3 - 1);
  const Case cases[] = {
      {"indices cut short", {shortFaces, normals, vertices}, ModelPart::FaceIndices},
      {"a vertex index past the vertices", {vertexPastEnd, normals, vertices}, ModelPart::FaceIndices},
      {"a normal index past the normals", {normalPastEnd, normals, vertices}, ModelPart::FaceIndices},
      {"one normal component short", {faces, oneNormalShort, vertices}, ModelPart::Normals},
      {"a decimal point", {faces, normals, pointVertices}, ModelPart::Vertices},
      {"no vertices", {faces, normals, ""}, ModelPart::Vertices},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ModelRead read = ReadModel(c.files);
    EXPECT_FALSE(read.model);
    EXPECT_EQ(read.failed, c.failed);
  }
}

// The install's "3d" folder as a map of file names to contents.
struct Folder {
  std::optional<SceneFiles> Load() {
    return LoadSceneFiles(L"C:\\Corvane\\", [this](const std::wstring& path) {
      auto file = std::make_unique<platform::SimWholeFile>();
      if (auto found = files.find(path.substr(path.rfind(L'\\') + 1)); found != files.end()) file->contents = found->second;
      return file;
    }, user);
  }
  std::vector<std::wstring> Told() const {
    std::vector<std::wstring> told;
    for (const auto& shown : user.History()) told.push_back(shown.request.caption + L": " + shown.request.text);
    return told;
  }
  std::map<std::wstring, std::string> files{
      {L"surface.dat", BitmapFile(8, 8)},
      {L"texture.dat", BitmapFile(4, 4)},
      {L"face_indicies.dat", Triangles(1, 2)},
      {L"normals.dat", Numbers(kModelNormals * 3)},
      {L"vertices.dat", Numbers(kModelVertices * 3)},
  };
  platform::SimUserInteraction user;
};

TEST(SceneFiles, AMissingOrDamagedFileIsToldAndNothingIsDrawn) {
  {
    Folder folder;
    const auto scene = folder.Load();
    ASSERT_TRUE(scene);
    EXPECT_EQ(scene->surface.width, 8);
    EXPECT_EQ(scene->texture.width, 4);
    EXPECT_TRUE(folder.Told().empty());
  }
  struct Case {
    const char* what;
    std::wstring file;
    std::optional<std::string> contents;
    std::vector<std::wstring> told;
  };
  const Case cases[] = {
      {"no surface texture", L"surface.dat", std::nullopt,
       {L"BMP Unit: Error opening \"C:\\Corvane\\3d\\surface.dat",
        L"Loading Textures: Unable to load C:\\Corvane\\3d\\surface.dat"}},
      {"a texture cut short", L"texture.dat", BitmapFile(4, 4).substr(0, 70),
       {L"BMP Unit: Error reading bitmap data", L"Loading Textures: Unable to load C:\\Corvane\\3d\\texture.dat"}},
      {"no vertices", L"vertices.dat", std::nullopt, {L"错误: Unable to load C:\\Corvane\\3d\\vertices.dat"}},
      {"normals one short", L"normals.dat", Numbers(kModelNormals * 3 - 1),
       {L"错误: Unable to load C:\\Corvane\\3d\\normals.dat"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folder folder;
    if (c.contents)
      folder.files[c.file] = *c.contents;
    else
      folder.files.erase(c.file);
    EXPECT_FALSE(folder.Load());
    EXPECT_EQ(folder.Told(), c.told);
  }
}

#ifdef CORVANE_MODEL_DIR
std::string FileBytes(const std::string& name) {
  std::ifstream in(std::string(CORVANE_MODEL_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The files the build generates for the install folder are what the readers take.
TEST(ModelReader, ReadsTheGeneratedFiles) {
  const std::string faces = FileBytes("face_indicies.dat");
  const std::string normals = FileBytes("normals.dat");
  const std::string vertices = FileBytes("vertices.dat");
  const ModelRead read = ReadModel({faces, normals, vertices});
  ASSERT_TRUE(read.model) << static_cast<int>(read.failed);
  for (const char* texture : {"surface.dat", "texture.dat"}) {
    SCOPED_TRACE(texture);
    const auto bitmap = ReadBitmap(FileBytes(texture));
    ASSERT_TRUE(std::holds_alternative<Bitmap>(bitmap));
    EXPECT_GE(std::get<Bitmap>(bitmap).width, 64);
  }
}
#endif

}  // namespace
}  // namespace corvane::artifacts
