// The file types the program declares to the desktop: a file manager must
// see base maps and map documents by their names, and data files by their
// first line (many other programs write ".DAT" files). Checked through Qt's
// database and through `mimetype`, which xdg-mime uses on desktops it does
// not know and which tries the strongest content rules before the name.
#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/test_support.h"

namespace kartela {
namespace {

namespace fs = std::filesystem;

struct Case {
  const char* name;
  std::string bytes;
  const char* type;  // empty: any type but the program's
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"全国２.IDT", test::Sjis("日本\r\n"), "application/x-kartela-basemap"},
      {"tokyo.idt", "x\r\n", "application/x-kartela-basemap"},
      {"人口2020.DAT", test::Sjis("全国２.IDT\r\n人口\r\n5224614\r\n"),
       "application/x-kartela-data"},
      {"unix.dat", "tokyo.idt\n1\n", "application/x-kartela-data"},
      {"other.DAT", std::string("\x00\x01\x02\x03 binary", 11), ""},
      // Documents name their base map in their first lines, as data files do.
      {"map.KTD", "@P\r\n" + test::Sjis("人口\r\n全国２.IDT\r\n 5.5E+05\r\n"),
       "application/x-kartela-document"},
      {"white.ktd", "@W\r\n\r\n" + test::Sjis("全国２.IDT\r\n#\r\n0\r\n"),
       "application/x-kartela-document"},
      {"renamed.dat", "@W\r\n\r\n" + test::Sjis("全国２.IDT\r\n#\r\n0\r\n"),
       "application/x-kartela-document"},
  };
  return cases;
}

class FileTypesTest : public testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v update-mime-database >/dev/null 2>&1") != 0)
      FAIL() << "update-mime-database (shared-mime-info) is not installed; scripts/setup.sh "
                "installs it";
    const fs::path share = dir_.path() / "share";
    const fs::path mime = share / "mime";
    fs::create_directories(mime / "packages");
    fs::copy_file(fs::path(KARTELA_SOURCE_DIR) / "desktop" / "kartela-mime.xml",
                  mime / "packages" / "kartela.xml");
    ASSERT_EQ(std::system(("update-mime-database '" + mime.string() + "' >/dev/null 2>&1").c_str()),
              0);
    // Only this database; read before the first QMimeDatabase, which loads
    // the databases once.
    setenv("XDG_DATA_HOME", share.c_str(), 1);
    setenv("XDG_DATA_DIRS", share.c_str(), 1);
  }

  // Writes each case's file and compares the type `detect` names for it.
  template <typename Detect>
  void ExpectTypes(Detect detect) const {
    for (const Case& c : Cases()) {
      SCOPED_TRACE(c.name);
      const fs::path file = dir_.path() / fs::path(reinterpret_cast<const char8_t*>(c.name));
      std::ofstream(file, std::ios::binary) << c.bytes;
      const std::string type = detect(file);
      if (*c.type != '\0') {
        EXPECT_EQ(type, c.type);
      } else {
        EXPECT_NE(type.rfind("application/x-kartela", 0), 0u) << type;
      }
    }
  }

  test::ScratchDir dir_;
};

TEST_F(FileTypesTest, BaseMapsDataAndDocumentsAreRecognised) {
  const QMimeDatabase database;
  ExpectTypes([&database](const fs::path& file) {
    return database.mimeTypeForFile(QString::fromStdString(file.string())).name().toStdString();
  });
}

TEST_F(FileTypesTest, TheMimetypeToolOfXdgMimeAgrees) {
  if (std::system("command -v mimetype >/dev/null 2>&1") != 0)
    FAIL() << "mimetype (libfile-mimeinfo-perl) is not installed; scripts/setup.sh installs it";
  const fs::path answer = dir_.path() / "answer";
  ExpectTypes([&](const fs::path& file) {
    const std::string command =
        "LC_ALL=C.UTF-8 mimetype -b '" + file.string() + "' > '" + answer.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::string type = dir_.Read("answer");
    while (!type.empty() && (type.back() == '\n' || type.back() == '\r'))
      type.pop_back();
    return type;
  });
}

}  // namespace
}  // namespace kartela
