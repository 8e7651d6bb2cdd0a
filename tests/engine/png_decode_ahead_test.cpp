#include <gtest/gtest.h>

#include <atomic>

#include "engine/gl_api.h"
#include "engine/png_decode_ahead.h"
#include "platform/errors.h"
#include "support/texture_files.h"

namespace {
TPNGDecodeAhead::TReader Bytes(const std::string& S) {
  return [S]() -> std::optional<std::vector<std::uint8_t>> { return std::vector<std::uint8_t>(S.begin(), S.end()); };
}
TPNGDecodeAhead::TReader Unreadable() {
  return []() -> std::optional<std::vector<std::uint8_t>> { return std::nullopt; };
}
std::string ErrorText(const TPNGDecodeAhead::TResult& R) {
  try {
    if (R.Error) std::rethrow_exception(R.Error);
  } catch (const ETextureError& E) {
    return E.what();
  }
  return "";
}
}  // namespace

TEST(PNGDecodeAhead, ResultsComeInQueueOrderWithTheFaultsOfEachFile) {
  // More files than worker threads, a damaged and an unreadable one among them.
  const std::string Png = MakePNGFile(CornerPicture(8, 4));
  TPNGDecodeAhead Ahead(false);
  for (int i = 0; i < 12; ++i) {
    const std::string Name = "f" + std::to_string(i) + ".png";
    if (i == 5)
      Ahead.Add(Name, Bytes(Png.substr(0, Png.size() / 2)));
    else if (i == 7)
      Ahead.Add(Name, Unreadable());
    else
      Ahead.Add(Name, Bytes(Png));
  }
  Ahead.Start();
  // Only files of the queue are offered.
  EXPECT_FALSE(Ahead.Has("g.png"));
  EXPECT_FALSE(Ahead.Take("g.png").Read);
  for (int i = 0; i < 12; ++i) {
    const std::string Name = "f" + std::to_string(i) + ".png";
    ASSERT_TRUE(Ahead.Has(Name)) << Name;
    auto R = Ahead.Take(Name);
    if (i == 5) {
      EXPECT_TRUE(R.Read);
      EXPECT_FALSE(R.Image);
      EXPECT_NE(ErrorText(R).find("\"f5.png\" cannot be decoded"), std::string::npos) << ErrorText(R);
    } else if (i == 7) {
      EXPECT_FALSE(R.Read);
      EXPECT_FALSE(R.Error);
    } else {
      ASSERT_TRUE(R.Image) << Name;
      EXPECT_EQ(R.Image->Width, 8u);
      EXPECT_EQ(R.Image->Format, unsigned(GL_BGRA));
      EXPECT_TRUE(R.Image->Mipmaps.empty());
    }
  }
  EXPECT_FALSE(Ahead.Has("f0.png"));
}

TEST(PNGDecodeAhead, MipmapsAreBuiltOnTheWorkerAndUntakenFilesAreDropped) {
  const std::string Png = MakePNGFile(CornerPicture(8, 4));
  {
    TPNGDecodeAhead Ahead(true);
    Ahead.Add("a.png", Bytes(Png));
    Ahead.Start();
    auto R = Ahead.Take("a.png");
    ASSERT_TRUE(R.Image);
    // 8 x 4 -> 4 x 2 -> 2 x 1 -> 1 x 1, four bytes a pixel.
    ASSERT_EQ(R.Image->Mipmaps.size(), 3u);
    EXPECT_EQ(R.Image->Mipmaps[0].size(), 4u * 2 * 4);
    EXPECT_EQ(R.Image->Mipmaps[2].size(), 4u);
  }
  // Leaving with files still queued or decoding ends cleanly (ASan watches the threads' memory).
  TPNGDecodeAhead Ahead(true);
  for (int i = 0; i < 20; ++i) Ahead.Add("x" + std::to_string(i) + ".png", Bytes(Png));
  Ahead.Start();
  EXPECT_TRUE(Ahead.Take("x0.png").Image);
}

// A file the caller passes by (its name is registered already, or it went from disk) does not
// stop the decode-ahead: every later file is still served, each file decoded once.
TEST(PNGDecodeAhead, AFilePassedByDoesNotStopTheLaterOnes) {
  const std::string Png = MakePNGFile(CornerPicture(8, 4));
  std::atomic<int> Reads{0};
  TPNGDecodeAhead Ahead(false);
  for (int i = 0; i < 10; ++i)
    Ahead.Add("f" + std::to_string(i) + ".png", [&]() -> std::optional<std::vector<std::uint8_t>> {
      ++Reads;
      return std::vector<std::uint8_t>(Png.begin(), Png.end());
    });
  Ahead.Start();
  EXPECT_THROW(Ahead.Add("late.png", Bytes(Png)), ETarnovaError);
  // As the texture manager loads a folder: what is not offered it decodes itself.
  int OwnDecodes = 0;
  for (int i = 0; i < 10; ++i) {
    const std::string Name = "f" + std::to_string(i) + ".png";
    if (i == 2 || i == 3) continue;  // passed by
    if (!Ahead.Has(Name)) {
      ++OwnDecodes;
      continue;
    }
    EXPECT_TRUE(Ahead.Take(Name).Image) << Name;
  }
  EXPECT_EQ(OwnDecodes, 0);
  EXPECT_EQ(Reads.load(), 10);
  EXPECT_FALSE(Ahead.Has("f2.png"));
  EXPECT_FALSE(Ahead.Has("f9.png"));
}
