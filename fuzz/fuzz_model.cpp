// Reads arbitrary bytes as a ".3df" model; an accepted model is walked face by face as the
// drawing does, so every index the reader let through is used.
#include <cstdint>
#include <exception>

#include "engine/binary_model.h"
#include "engine/streams.h"

namespace {
struct TTouchingSink : TMeshSink {
  float Sum = 0;
  void Material(const TGLBinaryMeshMaterial& M) override { Sum += M.MaterialValues[4]; }
  void Triangle(const TModelCorner (&C)[3]) override {
    for (const TModelCorner& K : C) Sum += K.Position[0] + K.Normal[1] + K.TexCoord[0];
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TMemoryStream Stream(std::vector<std::uint8_t>(Data, Data + Size));
  TGLBinaryModel Model;
  try {
    Model.ReadFromStream(Stream);
  } catch (const std::exception&) {
    return 0;
  }
  TTouchingSink Sink;
  for (TGLBinaryMesh& M : Model.Meshes) {
    M.HasTransparentMaterial();
    M.Emit(Sink);
  }
  Model.Scale(13.0f);
  return 0;
}
