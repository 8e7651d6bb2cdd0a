#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/texture_manager.h"
#include "engine/textures.h"
#include "platform/errors.h"
#include "support/temp_folder.h"

namespace {
// Registers a texture as a loader would have described it, without a GL context.
void Register(TTextureManager& M, const std::string& Name, std::uint32_t ID, std::uint32_t Format, std::uint16_t W,
              std::uint16_t H) {
  gLastTexture = TLastTexture{Format, ID, GL_TEXTURE_2D, W, H, 0};
  M.AddTextureByID(Name, ID);
}
}  // namespace

TEST(TextureManager, NamesIgnoreLetterCaseAndTheLatestRegistrationWins) {
  TTextureManager M;
  Register(M, "Font3", 0, GL_RGBA, 256, 256);
  Register(M, "flag", 0, GL_RGB, 64, 32);
  EXPECT_EQ(M.IndexOf("FONT3"), 0);
  EXPECT_EQ(M.IndexOf("font3"), 0);
  EXPECT_EQ(M.IndexOf("nothing"), -1);
  Register(M, "FLAG", 0, GL_RGBA, 128, 16);
  EXPECT_EQ(M.IndexOf("flag"), 2);
  EXPECT_EQ(M.GetTextureInfo("Flag", tiWidth), 128);
  ASSERT_EQ(M.Names.size(), 3u);
  EXPECT_EQ(M.IDs.size(), 3u);
  EXPECT_EQ(M.Infos.size(), 3u);
}

TEST(TextureManager, GetTextureInfoOutsideTheSelectorsAndNames) {
  TTextureManager M;
  Register(M, "map", 0, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 512, 256);
  EXPECT_EQ(M.GetTextureInfo("map", tiHeight), 256);
  EXPECT_EQ(M.GetTextureInfo("map", 5), 0);
  EXPECT_EQ(M.GetTextureInfo("map", 0), 0);
  EXPECT_EQ(M.GetTextureInfo("missing", tiGLID), -1);
  EXPECT_EQ(M.GetTextureInfo("missing", tiWidth), 0);
  EXPECT_EQ(M.GetTextureInfo("missing", tiFormat), 0);
}

TEST(TextureManager, IdLookupFindsTheHighestIndex) {
  TTextureManager M;
  Register(M, "a", 0, GL_RGB, 2, 2);
  Register(M, "b", 0, GL_RGB, 2, 2);
  Register(M, "c", 0, GL_RGB, 2, 2);
  M.Infos[0].ID = 5;
  M.Infos[2].ID = 5;
  M.Infos[1].ID = 6;
  EXPECT_EQ(M.IndexOfID(5), 2);
  EXPECT_EQ(M.IndexOfID(6), 1);
  EXPECT_EQ(M.IndexOfID(7), -1);
}

TEST(TextureManager, PowersOfTwoAreTwoTo4096) {
  EXPECT_TRUE(TTextureManager::IsPowerOfTwo(2));
  EXPECT_TRUE(TTextureManager::IsPowerOfTwo(512));
  EXPECT_TRUE(TTextureManager::IsPowerOfTwo(4096));
  EXPECT_FALSE(TTextureManager::IsPowerOfTwo(1));
  EXPECT_FALSE(TTextureManager::IsPowerOfTwo(0));
  EXPECT_FALSE(TTextureManager::IsPowerOfTwo(640));
  EXPECT_FALSE(TTextureManager::IsPowerOfTwo(8192));
}

TEST(TextureManager, AMissingFileRegistersNothingAndAMissingFolderThrows) {
  TTempFolder T;
  TTextureManager M;
  EXPECT_EQ(M.AddTexture((T.Path() / "none.png").string(), "none", true), 0);
  EXPECT_TRUE(M.Names.empty());
  EXPECT_THROW(M.AddTexturesFromDirectory((T.Path() / "nofolder").string(), "*.png", true, ""), ETarnovaError);
}
