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
}

TEST(Paths, JoinsWithExactlyOneBackslash) {
  EXPECT_EQ(sw::JoinPath("c:\\kurvo", "a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::JoinPath("c:\\kurvo\\", "a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::JoinPath("c:\\kurvo\\", "\\a.kvo"), "c:\\kurvo\\a.kvo");
  EXPECT_EQ(sw::JoinPath("c:\\", "a.kvo"), "c:\\a.kvo");
  EXPECT_EQ(sw::JoinPath("", "a.kvo"), "a.kvo");
}
