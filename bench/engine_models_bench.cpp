// Loading models from the data package: 200 models of 5,000 triangles each, read, checked and
// recorded into display lists. Reports the time per model and the bytes allocated per triangle.
#include "engine/gl_api.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>

#include "engine/binary_model.h"
#include "engine/engine_globals.h"
#include "engine/model_registry.h"
#include "engine/streams.h"
#include "engine/virtual_file_system.h"
#include "model_writer.h"
#include "package_writer.h"
#include "platform/window_host.h"

namespace {
std::size_t gModelBytesAllocated = 0;
bool gCountModelBytes = false;
}  // namespace

// Neither is inlined, so the compiler never pairs malloc() or free() with the other operator.
[[gnu::noinline]] void* operator new(std::size_t Size) {
  if (gCountModelBytes) gModelBytesAllocated += Size;
  if (void* P = std::malloc(Size ? Size : 1)) return P;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* P) noexcept { std::free(P); }
[[gnu::noinline]] void operator delete(void* P, std::size_t) noexcept { std::free(P); }

namespace {
constexpr int kModels = 200;
constexpr int kGrid = 50;  // 50 x 50 quads: 5,000 triangles
constexpr int kTriangles = kGrid * kGrid * 2;

// A wavy sheet of kGrid x kGrid quads with two materials.
TGLBinaryModel Sheet(int Seed) {
  TGLBinaryModel M = MakeBoxModel(1, 1, 1, {1, 1, 1, 1});
  TGLBinaryMesh& Mesh = M.Meshes[0];
  Mesh.Materials.push_back(Mesh.Materials[0]);
  Mesh.Vertices.clear();
  Mesh.TexCoords.clear();
  Mesh.Faces.clear();
  Mesh.FaceNormals.clear();
  Mesh.FaceMaterials.clear();
  Mesh.Normals = {{0, 0, 1}};
  for (int y = 0; y <= kGrid; ++y)
    for (int x = 0; x <= kGrid; ++x) {
      Mesh.Vertices.push_back({x * 0.02f, y * 0.02f, 0.001f * static_cast<float>((x * y + Seed) % 7)});
      Mesh.TexCoords.push_back({x / float(kGrid), y / float(kGrid)});
    }
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; ++x) {
      std::int32_t A = y * (kGrid + 1) + x, B = A + 1, C = A + kGrid + 1, D = C + 1;
      Mesh.Faces.push_back({A, B, D});
      Mesh.Faces.push_back({A, D, C});
      for (int k = 0; k < 2; ++k) {
        Mesh.FaceNormals.push_back({0, 0, 0});
        Mesh.FaceMaterials.push_back((x / 10) % 2);
      }
    }
  return M;
}

struct TModelPackage {
  std::filesystem::path Folder;
  TModelPackage() {
    Folder = std::filesystem::temp_directory_path() / "tarnova-model-bench";
    std::filesystem::create_directories(Folder);
    std::vector<TPackageEntry> Entries;
    for (int i = 0; i < kModels; ++i)
      Entries.push_back(MakePackageEntry("data\\3d\\model" + std::to_string(i) + ".3df", WriteBinaryModel(Sheet(i))));
    std::ofstream(Folder / "tarnova.dat", std::ios::binary) << BuildPackage(Entries);
  }
  ~TModelPackage() { std::filesystem::remove_all(Folder); }
};

bool GLContextReady() {
  static TWindowHost* Host = nullptr;
  if (glGetString(GL_VERSION)) return true;  // another benchmark made one
  if (!Host) {
    Host = new TWindowHost;
    TWindowOptions O;
    O.Hidden = true;
    O.Width = O.Height = 64;
    if (!Host->Create(O)) return false;
  }
  return glGetString(GL_VERSION) != nullptr;
}

void BM_LoadModelsFromPackage(benchmark::State& S) {
  if (!GLContextReady()) return S.SkipWithError("no GL context");
  static TModelPackage Package;
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Package.Folder);
  gVirtualFileSystem->Open("tarnova.dat");
  std::size_t Bytes = 0;
  for (auto _ : S) {
    gModelBytesAllocated = 0;
    gCountModelBytes = true;
    int Loaded = LoadModelFolder("data\\3d\\");
    glFinish();
    gCountModelBytes = false;
    Bytes = gModelBytesAllocated;
    if (Loaded != kModels) return S.SkipWithError("models missing");
    S.PauseTiming();
    FreeModels();
    S.ResumeTiming();
  }
  gVirtualFileSystem.reset();
  S.counters["bytes_per_triangle"] = static_cast<double>(Bytes) / (static_cast<double>(kModels) * kTriangles);
  S.SetItemsProcessed(static_cast<std::int64_t>(S.iterations()) * kModels);
}
BENCHMARK(BM_LoadModelsFromPackage)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
