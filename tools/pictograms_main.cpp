// kartela-pictograms: writes the pictograms of the picture graph as EMF
// files into the directory given, the program directory of a build.
//
//   kartela-pictograms DIR
#include <cstdio>
#include <filesystem>

#include "base/file_io.h"
#include "render/pictograms.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kartela-pictograms DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  const auto pictograms = kartela::pictograms::MakePictograms();
  if (!pictograms.ok()) {
    std::fprintf(stderr, "cannot draw the pictograms: %s\n", pictograms.status().detail().c_str());
    return 1;
  }
  for (const auto& pictogram : *pictograms) {
    const std::filesystem::path path = dir / pictogram.file_name;
    if (const kartela::Status written = kartela::WriteFileAtomically(path, pictogram.bytes);
        !written.ok()) {
      std::fprintf(stderr, "cannot write %s\n", written.detail().c_str());
      return 1;
    }
  }
  return 0;
}
