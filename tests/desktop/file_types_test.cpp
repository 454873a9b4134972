// The file types the program declares to the desktop: a file manager must
// see base maps and map documents by their names, and data files by their
// first line (many other programs write ".DAT" files).
#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/test_support.h"

namespace kartela {
namespace {

namespace fs = std::filesystem;

TEST(FileTypesTest, BaseMapsDataAndDocumentsAreRecognised) {
  if (std::system("command -v update-mime-database >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "update-mime-database (shared-mime-info) is not installed";
  testing::ScratchDir dir;
  const fs::path mime = dir.path() / "share" / "mime";
  fs::create_directories(mime / "packages");
  fs::copy_file(fs::path(KARTELA_SOURCE_DIR) / "desktop" / "kartela-mime.xml",
                mime / "packages" / "kartela.xml");
  ASSERT_EQ(std::system(("update-mime-database '" + mime.string() + "' >/dev/null 2>&1").c_str()),
            0);
  // Read before the first QMimeDatabase, which loads the databases once.
  setenv("XDG_DATA_DIRS", (dir.path() / "share").c_str(), 1);

  struct Case {
    const char* name;
    std::string bytes;
    const char* type;
  };
  const Case cases[] = {
      {"全国２.IDT", testing::Sjis("日本\r\n"), "application/x-kartela-basemap"},
      {"tokyo.idt", "x\r\n", "application/x-kartela-basemap"},
      {"人口2020.DAT", testing::Sjis("全国２.IDT\r\n人口\r\n5224614\r\n"),
       "application/x-kartela-data"},
      {"unix.dat", "tokyo.idt\n1\n", "application/x-kartela-data"},
      {"other.DAT", std::string("\x00\x01\x02\x03 binary", 11), ""},
      {"map.KTD", "@P\r\n" + testing::Sjis("全国２.IDT\r\n"), "application/x-kartela-document"},
      {"map.ktd", "@W\r\n", "application/x-kartela-document"},
  };
  const QMimeDatabase database;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = dir.path() / fs::path(reinterpret_cast<const char8_t*>(c.name));
    std::ofstream(file, std::ios::binary) << c.bytes;
    const QString type = database.mimeTypeForFile(QString::fromStdString(file.string())).name();
    if (*c.type != '\0') {
      EXPECT_EQ(type.toStdString(), c.type);
    } else {
      EXPECT_FALSE(type.startsWith(QStringLiteral("application/x-kartela"))) << type.toStdString();
    }
  }
}

}  // namespace
}  // namespace kartela
