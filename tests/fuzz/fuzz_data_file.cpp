// Feeds arbitrary bytes to the data-file reader, with a small base map in a
// temporary program directory for references to resolve against.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "model/data_file.h"
#include "model/reporter.h"

namespace {

class SilentReporter : public kartela::Reporter {
 public:
  void Show(const kartela::CatalogueMessage&) override {}
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }
  kartela::Answer AskYesNoCancel(std::string_view, std::string_view) override {
    return kartela::Answer::kCancel;
  }
  void ShowNotice(std::string_view) override {}
};

// A temporary program directory holding the base map F.IDT that the seeds
// refer to; created once per process and removed at its end.
class ProgramDirectory {
 public:
  ProgramDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kartela-fuzz-data-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    std::ofstream(path_ / "F.IDT", std::ios::binary) << "F\r\nA=1,1\r\nB\r\n\r\n@STARTOFPOINTS\r\n"
                                                     << std::string(4, '\0');
  }
  ~ProgramDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& ProgramDir() {
  static const ProgramDirectory directory;
  return directory.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kartela::AreaList areas;
  kartela::DataSet data_set;
  SilentReporter reporter;
  if (kartela::ParseDataFile(bytes, "fuzz.DAT", ProgramDir(), areas, data_set, reporter) &&
      kartela::DataFileWriteRefusal(areas, data_set).empty()) {
    // What was read and is written must read again to the same model.
    const std::string written = kartela::FormatDataFile(areas, data_set);
    kartela::AreaList areas_again;
    kartela::DataSet data_again;
    if (!kartela::ParseDataFile(written, "again.DAT", ProgramDir(), areas_again, data_again,
                                reporter) ||
        kartela::FormatDataFile(areas_again, data_again) != written) {
      std::abort();
    }
  }
  return 0;
}
