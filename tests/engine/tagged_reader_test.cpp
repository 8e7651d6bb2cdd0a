#include <gtest/gtest.h>

#include <cstring>

#include "engine/tagged_reader.h"
#include "platform/errors.h"
#include "tagged_writer.h"

namespace {
TMemoryStream StreamOf(const std::string& Bytes) { return TMemoryStream(Bytes); }
std::string B(std::initializer_list<int> Bytes) {
  std::string S;
  for (int b : Bytes) S += static_cast<char>(b);
  return S;
}
template <typename F>
std::string ReadErrorOf(F&& Read) {
  try {
    Read();
  } catch (const EReadError& E) {
    return E.what();
  }
  return "no error";
}
}  // namespace

TEST(TaggedReader, IntegersAreSignExtended) {
  auto S = StreamOf(B({2, 0xFF, 3, 0x00, 0x80, 4, 0xFE, 0xFF, 0xFF, 0xFF, 19, 1, 0, 0, 0, 0, 0, 0, 0x80}));
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadInteger(), -1);
  EXPECT_EQ(R.ReadInteger(), -32768);
  EXPECT_EQ(R.ReadInteger(), -2);
  EXPECT_EQ(R.ReadInt64(), static_cast<std::int64_t>(0x8000000000000001ULL));
}

TEST(TaggedReader, Int64AcceptsSmallTagsButIntegerRefusesTag19) {
  auto S = StreamOf(B({3, 0x34, 0x12, 19, 5, 0, 0, 0, 0, 0, 0, 0}));
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadInt64(), 0x1234);
  EXPECT_THROW(R.ReadInteger(), EReadError);
}

TEST(TaggedReader, SingleTakesTag15OrConvertsAnInteger) {
  TTaggedWriter W;
  W.WriteSingle(2.5f);
  W.WriteInteger(-7);
  W.WriteInt64(1LL << 40);
  auto S = StreamOf(W.Bytes());
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadSingle(), 2.5f);
  EXPECT_EQ(R.ReadSingle(), -7.0f);
  EXPECT_EQ(R.ReadSingle(), static_cast<float>(1LL << 40));
}

TEST(TaggedReader, StringsOfEveryTag) {
  std::string Bytes = B({6, 3}) + "abc" + B({12, 0, 0, 0, 0}) + B({12, 2, 0, 0, 0}) + "xy" +
                      B({18, 2, 0, 0, 0, 0xE4, 0x00, 0xAC, 0x20}) + B({20, 2, 0, 0, 0, 0xC3, 0xBC});
  auto S = StreamOf(Bytes);
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadString(), "abc");
  EXPECT_EQ(R.ReadString(), "");
  EXPECT_EQ(R.ReadString(), "xy");
  EXPECT_EQ(R.ReadString(), "\xE4\x80");  // "ä€" as 8-bit bytes
  EXPECT_EQ(R.ReadString(), "\xFC");
}

TEST(TaggedReader, UnknownTagsAreReadErrorsNamingTheirOffset) {
  auto S = StreamOf(B({2, 7, 5, 1, 2, 3, 4}));
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadInteger(), 7);
  EXPECT_EQ(ReadErrorOf([&] { R.ReadString(); }), "TReader->ReadString->Invalid property value (tag 5) at byte 2");
  auto S2 = StreamOf(B({6, 0}));
  TTaggedReader R2(S2);
  EXPECT_THROW(R2.ReadInteger(), EReadError);
  auto S3 = StreamOf(B({0}));
  TTaggedReader R3(S3);
  EXPECT_THROW(R3.ReadSingle(), EReadError);
}

TEST(TaggedReader, ShortReadsAndLengthsPastTheEndFailNamingTheOffset) {
  auto S = StreamOf(B({2, 1, 4, 1, 2}));
  TTaggedReader R(S);
  R.ReadInteger();
  EXPECT_EQ(ReadErrorOf([&] { R.ReadInteger(); }),
            "TReader->Read->Stream read error: the value at byte 2 runs past the end of the stream");
  // A length of 4 GiB must not allocate 4 GiB.
  auto S2 = StreamOf(B({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}));
  TTaggedReader R2(S2);
  EXPECT_EQ(ReadErrorOf([&] { R2.ReadString(); }),
            "TReader->ReadString->String length past the end of the stream: the string at byte 0 claims 4294967295 "
            "bytes, 1 left");
  auto S3 = StreamOf(B({18, 0xFF, 0xFF, 0xFF, 0x7F}));
  TTaggedReader R3(S3);
  EXPECT_THROW(R3.ReadString(), EReadError);
  auto S4 = StreamOf(B({}));
  TTaggedReader R4(S4);
  EXPECT_THROW(R4.ReadInteger(), EReadError);
  char Buf[4];
  EXPECT_THROW(R4.Read(Buf, 4), EReadError);
}

TEST(TaggedReader, ReleasedReaderLeavesTheStreamAfterTheLastValue) {
  std::string Tail(1000, 'z');
  auto S = StreamOf(B({2, 9}) + Tail);
  {
    TTaggedReader R(S);
    EXPECT_EQ(R.ReadInteger(), 9);
  }
  EXPECT_EQ(S.Position(), 2);
}

TEST(TaggedReader, RawBlocksLargerThanTheBuffer) {
  std::string Raw(5000, '\0');
  for (std::size_t i = 0; i < Raw.size(); ++i) Raw[i] = static_cast<char>(i * 7);
  auto S = StreamOf(B({2, 1}) + Raw + B({2, 2}));
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadInteger(), 1);
  std::string Got(5000, '\0');
  R.Read(Got.data(), Got.size());
  EXPECT_EQ(Got, Raw);
  EXPECT_EQ(R.ReadInteger(), 2);
}

TEST(TaggedWriter, ChoosesTheSmallestIntegerTag) {
  TTaggedWriter W;
  W.WriteInteger(127);
  W.WriteInteger(-129);
  W.WriteInteger(70000);
  W.WriteString(std::string(300, 'a'));
  EXPECT_EQ(W.Bytes()[0], 2);
  EXPECT_EQ(W.Bytes()[2], 3);
  EXPECT_EQ(W.Bytes()[5], 4);
  EXPECT_EQ(W.Bytes()[10], 12);
  auto S = StreamOf(W.Bytes());
  TTaggedReader R(S);
  EXPECT_EQ(R.ReadInteger(), 127);
  EXPECT_EQ(R.ReadInteger(), -129);
  EXPECT_EQ(R.ReadInteger(), 70000);
  EXPECT_EQ(R.ReadString(), std::string(300, 'a'));
}
