#include "model/base_map_reference.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "test_support.h"

namespace kartela {
namespace {

using test::ScratchDir;
using test::Sjis;

class BaseMapReferenceTest : public testing::Test {
 protected:
  BaseMapReferenceTest() {
    for (const char* name :
         {"全国２.IDT", "tokyo.idt", "Twin.idt", "TWIN.IDT", "表.IDT", "地図:1.IDT", "sub/a.IDT"}) {
      std::filesystem::create_directories((program_.path() / name).parent_path());
      program_.Write(name, "map");
    }
    data_.Write("全国２.IDT", "beside the data");
    data_.Write("local.IDT", "beside the data");
    // The user's own base maps, found through XDG_DATA_HOME.
    std::filesystem::create_directories(UserMaps());
    for (const char* name : {"九州.IDT", "全国２.IDT"})
      std::ofstream(UserMaps() /
                    std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(name))))
          << "user's map";
    if (const char* saved = std::getenv("XDG_DATA_HOME")) saved_data_home_ = saved;
    setenv("XDG_DATA_HOME", user_.path().c_str(), 1);
  }
  ~BaseMapReferenceTest() override { setenv("XDG_DATA_HOME", saved_data_home_.c_str(), 1); }

  std::filesystem::path UserMaps() const { return user_.path() / "kartela" / "basemaps"; }

  ScratchDir program_;
  ScratchDir data_;
  ScratchDir user_;
  std::string saved_data_home_;
};

TEST_F(BaseMapReferenceTest, FindsTheFileAsItIsCalledOnDisk) {
  struct Case {
    std::string reference;  // UTF-8; converted to Shift-JIS
    bool from_data_file;    // the reference is held by a data file in data_
    std::string where;      // "P" program directory, "D" data directory, "U" the user's
                            // base maps, "" none
    std::string found;      // file name found, UTF-8
  };
  const std::string absolute_tokyo = (program_.path() / "TOKYO.IDT").string();
  const Case cases[] = {
      {"全国２.IDT", true, "P", "全国２.IDT"},  // a bare name: the program directory first
      {"tokyo.idt", false, "P", "tokyo.idt"},
      {"tokyo.IDT", false, "P", "tokyo.idt"},  // the settings reader's form
      {"TOKYO.IDT \t", false, "P", "tokyo.idt"},
      {"Twin.idt", false, "P", "Twin.idt"},      // the exact name wins
      {"twin.idt", false, "", ""},               // two candidates: none is taken
      {"表.IDT", false, "P", "表.IDT"},          // its second byte is "\" but no separator
      {"地図:1.IDT", false, "P", "地図:1.IDT"},  // ":" alone is part of a name
      {absolute_tokyo, false, "P", "tokyo.idt"},
      {"C:\\地図\\全国２.IDT", true, "D", "全国２.IDT"},  // Windows: beside the data first
      {"C:\\地図\\TOKYO.IDT", true, "P", "tokyo.idt"},
      {"c:tokyo.idt", false, "P", "tokyo.idt"},
      {"..\\LOCAL.IDT", true, "D", "local.IDT"},
      {"local.IDT", true, "D", "local.IDT"},  // beside the data when not in the program's
      {"local.IDT", false, "", ""},
      {"missing.IDT", true, "", ""},
      {"", true, "", ""},
      {"sub", false, "", ""},                // a directory is no base map
      {"九州.IDT", false, "U", "九州.IDT"},  // the user's own maps after the program's
      {"C:\\地図\\九州.IDT", true, "U", "九州.IDT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reference);
    const std::filesystem::path holder = c.from_data_file ? data_.path() : "";
    const auto found = FindBaseMap(Sjis(c.reference), program_.path(), holder);
    if (c.where.empty()) {
      EXPECT_FALSE(found.has_value());
      continue;
    }
    ASSERT_TRUE(found.has_value());
    const std::filesystem::path dir = c.where == "P"   ? program_.path()
                                      : c.where == "U" ? UserMaps()
                                                       : data_.path();
    const std::filesystem::path expected =
        dir / std::filesystem::path(std::u8string(c.found.begin(), c.found.end()));
    EXPECT_EQ(found->path.filename(), expected.filename());
    EXPECT_TRUE(std::filesystem::equivalent(found->path, expected));
    // A file of the program's own places is kept by its name, any other by its path.
    EXPECT_EQ(found->reference, Sjis(c.where == "D" ? expected.string() : c.found));
  }
}

TEST_F(BaseMapReferenceTest, AReferenceBelowTheProgramDirectoryKeepsItsPath) {
  const auto found = FindBaseMap("sub/A.idt", program_.path());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->path, program_.path() / "sub" / "a.IDT");
  EXPECT_FALSE(FindBaseMap("\x85\x40.IDT", program_.path()).has_value()) << "not CP932";
  EXPECT_FALSE(FindBaseMap(std::string("tokyo.idt\0x", 11), program_.path()).has_value());
}

}  // namespace
}  // namespace kartela
