#include <gtest/gtest.h>

#include "engine/virtual_file_system.h"
#include "package_writer.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"
#include "tagged_writer.h"

namespace {
// A program folder holding a package with the given entries.
struct TPackageFixture {
  TTempFolder Folder;
  void Pack(const std::vector<TPackageEntry>& Entries) { Folder.Write("tarnova.dat", BuildPackage(Entries)); }
  void PackRaw(const std::string& Bytes) { Folder.Write("tarnova.dat", Bytes); }
};

std::string Contents(TStream& S) {
  std::string Out(static_cast<std::size_t>(S.Size()), '\0');
  S.Seek(0);
  S.ReadExact(Out.data(), Out.size());
  return Out;
}
}  // namespace

TEST(VirtualFileSystem, LooseFileWinsOverThePackage) {
  TPackageFixture F;
  F.Pack({MakePackageEntry("data\\XML\\units.xml", "<units from=\"package\"/>")});
  F.Folder.Write("data/xml/UNITS.XML", "<units from=\"disk\"/>");
  TVirtualFileSystem V(F.Folder.Path());
  V.Open("tarnova.dat");
  TXMLDocument D;
  V.LoadXML("data\\XML\\units.xml", D);
  EXPECT_EQ(D.Root().Attribute("from"), "disk");
}

TEST(VirtualFileSystem, PackagedFileFoundInAnyCaseButListedInItsOwn) {
  TPackageFixture F;
  F.Pack({MakePackageEntry("data\\XML\\units.xml", "<units from=\"package\"/>")});
  TVirtualFileSystem V(F.Folder.Path());
  V.Open("tarnova.dat");
  EXPECT_TRUE(V.FileExists("DATA\\xml\\Units.XML"));
  TMemoryStream S;
  ASSERT_TRUE(V.ExtractFile("data\\xml\\UNITS.xml", S));
  EXPECT_EQ(S.Position(), 0);
  EXPECT_EQ(Contents(S), "<units from=\"package\"/>");
  TXMLDocument D;
  V.LoadXML("Data\\Xml\\Units.xml", D);
  EXPECT_EQ(D.Root().Attribute("from"), "package");

  // A listing compares folder and extension in their exact case; only the slash kind is free.
  TFileList L;
  for (const char* Folder : {"data\\XML\\", "data/XML/"}) {
    V.ListFiles(Folder, ".xml", L);
    ASSERT_EQ(L.size(), 1u) << Folder;
  }
  const std::pair<const char*, const char*> OtherCase[] = {{"data\\xml\\", ".xml"}, {"Data/Xml/", ".xml"}, {"data\\XML\\", ".XML"}};
  for (const auto& [Folder, Ext] : OtherCase) {
    V.ListFiles(Folder, Ext, L);
    EXPECT_TRUE(L.empty()) << Folder << Ext;
  }
  V.ListFiles("data\\", ".xml", L);
  EXPECT_TRUE(L.empty());
  TFileNameList N;
  V.ListFileNames("data\\XML\\", "", N);
  EXPECT_EQ(N, (TFileNameList{"units"}));
}

TEST(VirtualFileSystem, FirstOfTwoEqualNamesWins) {
  TPackageFixture F;
  F.Pack({MakePackageEntry("data\\a.txt", "first"), MakePackageEntry("DATA\\A.TXT", "second")});
  TVirtualFileSystem V(F.Folder.Path());
  V.Open("tarnova.dat");
  TMemoryStream S;
  ASSERT_TRUE(V.ExtractFile("data\\a.txt", S));
  EXPECT_EQ(Contents(S), "first");
  EXPECT_EQ(V.FindFile("Data\\a.TXT"), V.Files()[0].get());
}

TEST(VirtualFileSystem, EmptyEntryAndEmptyPackage) {
  TPackageFixture F;
  F.Pack({MakePackageEntry("data\\empty.txt", "")});
  TVirtualFileSystem V(F.Folder.Path());
  V.Open("tarnova.dat");
  TMemoryStream S;
  EXPECT_TRUE(V.ExtractFile("data\\empty.txt", S));
  EXPECT_EQ(S.Size(), 0);

  TPackageFixture G;
  G.Pack({});
  TVirtualFileSystem W(G.Folder.Path());
  W.Open("tarnova.dat");
  EXPECT_TRUE(W.HasPackage());
  EXPECT_FALSE(W.FileExists("data\\empty.txt"));
}

TEST(VirtualFileSystem, MissingPackageMeansLooseFilesOnly) {
  TTempFolder T;
  T.Write("data/a.txt", "disk");
  TVirtualFileSystem V(T.Path());
  V.Open("tarnova.dat");
  EXPECT_FALSE(V.HasPackage());
  EXPECT_TRUE(V.FileExists("data\\A.txt"));
  EXPECT_FALSE(V.FileExists("data"));  // a folder is not a file
  TMemoryStream S;
  EXPECT_FALSE(V.ExtractFile("data\\a.txt", S));
  EXPECT_EQ(V.ReadFile("data\\a.txt"), "disk");
}

TEST(VirtualFileSystem, LoadXMLOfAMissingFileNamesIt) {
  TTempFolder T;
  TVirtualFileSystem V(T.Path());
  TXMLDocument D;
  try {
    V.LoadXML("data\\XML\\regions.xml", D);
    FAIL();
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "TVirtualFileSystem->LoadXML->File \"data\\XML\\regions.xml\" not found in VFS");
  }
}

TEST(VirtualFileSystem, ExtractAppendsAtDestPositionAndRewinds) {
  TPackageFixture F;
  F.Pack({MakePackageEntry("data\\a.txt", "abc")});
  TVirtualFileSystem V(F.Folder.Path());
  V.Open("tarnova.dat");
  TMemoryStream S(std::string("xy"));
  S.Seek(2);
  ASSERT_TRUE(V.ExtractFile("data\\a.txt", S));
  EXPECT_EQ(Contents(S), "xyabc");
  TMemoryStream Buf;
  V.FindFile("data\\a.txt")->SaveToStream(Buf);
  EXPECT_EQ(Buf.Position(), 3);
  // Inside a longer buffer the entry overwrites its length and the rest stays.
  TMemoryStream Mid(std::string("123456"));
  Mid.Seek(1);
  V.FindFile("data\\a.txt")->SaveToStream(Mid);
  EXPECT_EQ(Mid.Position(), 4);
  EXPECT_EQ(Contents(Mid), "1abc56");
}

TEST(VirtualFileSystem, ListDirectoryAppendsSortedDiskNames) {
  TTempFolder T;
  T.Write("data/sounds/b.ogg", "");
  T.Write("data/sounds/A.ogg", "");
  T.Write("data/sounds/x.wav", "");
  TVirtualFileSystem V(T.Path());
  TFileNameList N{"keep"};
  V.ListDirectory("data\\Sounds", ".ogg", N);
  EXPECT_EQ(N, (TFileNameList{"keep", "A.ogg", "b.ogg"}));
  V.ListDirectory("data\\nothing", ".ogg", N);
  EXPECT_EQ(N.size(), 3u);
}

// ---- damaged packages: a clear error naming the file, never a crash or a huge allocation ----

namespace {
// The damaged package is refused with its name, and the package open before keeps serving.
void ExpectDamaged(const std::string& Bytes) {
  TPackageFixture F;
  F.PackRaw(Bytes);
  F.Folder.Write("before.dat", BuildPackage({MakePackageEntry("data\\kept.txt", "kept")}));
  TVirtualFileSystem V(F.Folder.Path());
  V.Open("before.dat");
  try {
    V.Open("tarnova.dat");
    FAIL() << "opened a damaged package";
  } catch (const ETarnovaError& E) {
    EXPECT_NE(std::string(E.what()).find("\"tarnova.dat\""), std::string::npos) << E.what();
  }
  ASSERT_EQ(V.Files().size(), 1u);
  EXPECT_TRUE(V.HasPackage());
  EXPECT_EQ(V.ReadFile("DATA\\Kept.txt"), "kept");
}

std::string Directory(int Count, std::int64_t Offset, std::int64_t Size) {
  TTaggedWriter W;
  W.WriteInteger(Count);
  W.WriteString("a");
  W.WriteString(".txt");
  W.WriteString("data\\");
  W.WriteInt64(Offset);
  W.WriteInt64(Size);
  return W.Bytes();
}
}  // namespace

TEST(VirtualFileSystem, DamagedDirectoriesAreRefused) {
  std::string Good = Directory(1, 0, 0);
  ExpectDamaged(Directory(1, 1000, 4) + "data");        // offset past the end
  ExpectDamaged(Directory(1, 0, 1LL << 40));            // size past the end
  ExpectDamaged(Directory(1, -5, 1));                   // negative offset
  ExpectDamaged(Directory(2, 0, 0));                    // count larger than the entries
  ExpectDamaged(std::string("\x04\x00\x80\x00\x00", 5));  // count 32768
  ExpectDamaged(std::string("\x02\xFF", 2));            // count -1
  ExpectDamaged(std::string("\x05", 1));                // a bad tag
  ExpectDamaged(std::string("\x02\x01\x0C\xFF\xFF\xFF\x7F", 7));  // a name length past the end
  ExpectDamaged("");
}

TEST(VirtualFileSystem, ToolPackagesAFolderDeterministically) {
  TTempFolder T;
  T.Write("data/XML/units.xml", "<u/>");
  T.Write("data/tex/a.dds", std::string(300, 'x'));
  T.Write("data/.git/config", "no");
  auto E = CollectFolder(T.Path(), "data");
  ASSERT_EQ(E.size(), 2u);
  EXPECT_EQ(E[0].Path, "data\\XML\\");
  EXPECT_EQ(E[0].Name, "units");
  EXPECT_EQ(E[0].Ext, ".xml");
  EXPECT_EQ(E[1].Path, "data\\tex\\");
  EXPECT_EQ(BuildPackage(E), BuildPackage(CollectFolder(T.Path(), "data")));
  T.Write("tarnova.dat", BuildPackage(E));
  std::filesystem::remove_all(T.Path() / "data");
  TVirtualFileSystem V(T.Path());
  V.Open("tarnova.dat");
  EXPECT_EQ(V.ReadFile("data\\TEX\\a.dds"), std::string(300, 'x'));
}
