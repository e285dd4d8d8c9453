#include <gtest/gtest.h>

#include "paths.h"

TEST(Paths, SplitsAtTheSeparatorsTheCallerNames) {
  EXPECT_EQ(sw::FilePart("c:\\kurvo\\a.kvo"), "a.kvo");
  EXPECT_EQ(sw::FilePart("a.kvo"), "a.kvo");
  EXPECT_EQ(sw::FilePart("c:\\kurvo\\"), "");
  EXPECT_EQ(sw::FilePart("c:/kurvo/a.kvo"), "c:/kurvo/a.kvo");
  EXPECT_EQ(sw::FilePart("c:/kurvo/a.kvo", sw::kSlashes), "a.kvo");
  EXPECT_EQ(sw::FilePart("c:a.kvo", sw::kSlashes), "c:a.kvo");
  EXPECT_EQ(sw::FilePart("c:a.kvo", sw::kSlashesAndDrive), "a.kvo");

  EXPECT_EQ(sw::DirectoryPart("c:\\kurvo\\a.kvo"), "c:\\kurvo");
  EXPECT_EQ(sw::DirectoryPart("a.kvo"), "");
  EXPECT_EQ(sw::DirectoryPart("c:\\kurvo/a.kvo"), "c:");
  EXPECT_EQ(sw::DirectoryPart("c:\\kurvo/a.kvo", sw::kSlashes), "c:\\kurvo");

  EXPECT_EQ(sw::Extension("c:\\kurvo\\a.b.KVO"), ".KVO");
  EXPECT_EQ(sw::Extension("c:\\kur.vo\\readme"), "");
  EXPECT_EQ(sw::Extension("c:\\kurvo\\a."), ".");
  EXPECT_EQ(sw::Extension("c:x.kvo", sw::kSlashesAndDrive), ".kvo");
  EXPECT_EQ(sw::Extension("c:x/y", sw::kBackslashAndDrive), "");
  EXPECT_EQ(sw::Extension("c:x.d/y", sw::kBackslashAndDrive), ".d/y");

  EXPECT_EQ(sw::UpperExtension("c:\\kurvo\\a.Kvo\xe9"), ".KVO\xe9");
  EXPECT_EQ(sw::UpperExtension("c:\\k.vo\\a"), "");

  EXPECT_EQ(sw::FileStem("c:\\kurvo\\a.b.kvo"), "a.b");
  EXPECT_EQ(sw::FileStem("c:\\kur.vo\\readme"), "readme");
  EXPECT_EQ(sw::FileStem("c:a.kvo", sw::kSlashesAndDrive), "a");
}

TEST(Paths, FolderOfAPathKeepsADrivesRoot) {
  EXPECT_EQ(sw::FolderPart("c:\\a.kvo"), "c:\\");
  EXPECT_EQ(sw::FolderPart("c:\\kurvo\\a.kvo"), "c:\\kurvo");
  EXPECT_EQ(sw::FolderPart("a.kvo"), "");
  EXPECT_EQ(sw::FolderPart("\\a.kvo"), "");
}

TEST(Paths, JoinsWithExactlyOneBackslash) {
  EXPECT_EQ(sw::JoinPath("c:\\kurvo", "a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::JoinPath("c:\\kurvo\\", "a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::JoinPath("c:\\kurvo\\", "\\a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::JoinPath("c:\\", "a.kvo"), "c:\\a.kvo");
  EXPECT_EQ(sw::JoinPath("", "a.kvo"), "a.kvo");
}

TEST(Paths, AppendsANameWithABackslashWhereTheFolderHasNone) {
  EXPECT_EQ(sw::AppendName("c:\\kurvo", "a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::AppendName("c:\\", "a.kvo"), "c:\\a.kvo");
  EXPECT_EQ(sw::AppendName("c:\\\\", "\\a"), "c:\\\\\\a");
  EXPECT_EQ(sw::AppendName("", "a.kvo"), "a.kvo");
}
