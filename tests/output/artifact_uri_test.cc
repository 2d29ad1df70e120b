// Paths as SARIF locates them: relative to the folder zorvez ran in where
// they lie below it, with '/' between segments and every byte a URI cannot
// hold percent-encoded, so that any URI reader gets the file's name back.

#include "output/artifact_uri.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ArtifactUri, NamesTheFileAsGivenInAUri) {
  constexpr PathStyle kPosix = PathStyle::kPosix, kWindows = PathStyle::kWindows;
  struct Case {
    const char* path;
    const char* folder;
    PathStyle style;
    const char* uri;
    bool relative;
  } cases[] = {
      {"MappingTable/plant_mapping.csv", "/w", kPosix, "MappingTable/plant_mapping.csv", true},
      {"./a//b/./c.csv", "/w", kPosix, "a/b/c.csv", true},
      {"../up/t.csv", "/w", kPosix, "../up/t.csv", true},
      {"Zuordnung für Pumpen #1, 100%.csv", "/w", kPosix,
       "Zuordnung%20f%C3%BCr%20Pumpen%20%231%2C%20100%25.csv", true},
      {"a:b?c[d]@e;f&g=h+i'j(k)!$*.csv", "/w", kPosix,
       "a%3Ab%3Fc%5Bd%5D%40e%3Bf%26g%3Dh%2Bi%27j%28k%29%21%24%2A.csv", true},
      {"dir\\name.csv", "/w", kPosix, "dir%5Cname.csv", true},  // one name on POSIX
      {"/w/tree/t.csv", "/w", kPosix, "tree/t.csv", true},
      {"/w/tree/t.csv", "/w/", kPosix, "tree/t.csv", true},
      {"/work/t.csv", "/w", kPosix, "file:///work/t.csv", false},
      {"/w", "/w", kPosix, "file:///w", false},
      {"Dictionary\\Mapping Table\\t.csv", "C:\\Users\\Zoë", kWindows,
       "Dictionary/Mapping%20Table/t.csv", true},
      {"C:\\Users\\Zoë\\t.csv", "C:\\Users\\Zoë", kWindows, "t.csv", true},
      {"D:\\t.csv", "C:\\Users\\Zoë", kWindows, "file:///D:/t.csv", false},
      {"\\\\server\\share\\t.csv", "C:\\w", kWindows, "file://server/share/t.csv", false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.path);
    ArtifactUri uri = ArtifactUriOf(test.path, test.folder, test.style);
    EXPECT_EQ(uri.uri, test.uri);
    EXPECT_EQ(uri.relative, test.relative);
  }
  EXPECT_EQ(FolderUri("/home/me/Wörter buch", kPosix), "file:///home/me/W%C3%B6rter%20buch/");
  EXPECT_EQ(FolderUri("/", kPosix), "file:///");
  EXPECT_EQ(FolderUri("C:\\Users\\Zoë", kWindows), "file:///C:/Users/Zo%C3%AB/");
}

}  // namespace
