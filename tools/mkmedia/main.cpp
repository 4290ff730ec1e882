// Entry point of mkmedia: writes every picture, font, sound and song of the game into one folder.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

#include "Generators.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: mkmedia --out DIR [--source DIR] [--contact-sheet FILE.png] "
               "[--preview DIR] [--only NAME]\n");
}

void CopyFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::create_directories(to.parent_path());
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

}  // namespace

int main(int argc, char** argv) {
  mk::Output out;
  std::filesystem::path source, sheet;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    auto arg = [&](const char* name) { return std::strcmp(argv[i], name) == 0 && i + 1 < argc; };
    if (arg("--out"))
      out.dir = argv[++i];
    else if (arg("--source"))
      source = argv[++i];
    else if (arg("--contact-sheet"))
      sheet = argv[++i];
    else if (arg("--preview"))
      out.previewDir = argv[++i];
    else if (arg("--only"))
      only = argv[++i];
    else {
      Usage();
      return 2;
    }
  }
  if (out.dir.empty()) {
    Usage();
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  try {
    struct Step {
      const char* name;
      void (*run)(mk::Output&);
    };
    const Step steps[] = {{"decks", mk::MakeDecks},     {"backs", mk::MakeBacks},
                          {"themes", mk::MakeThemes},   {"titles", mk::MakeTitles},
                          {"screens", mk::MakeScreens}, {"fonts", mk::MakeFonts},
                          {"sounds", mk::MakeSounds},   {"music", mk::MakeMusic}};
    for (const Step& s : steps) {
      if (!only.empty() && only != s.name) continue;
      s.run(out);
    }
    if (!source.empty() && only.empty()) {
      // The rules text and the manual are written by hand; they travel with the generated files.
      CopyFile(source / "HELP.TXT", out.dir / "HELP.TXT");
      CopyFile(source / "manual.html", out.dir / "manual.html");
    }
    if (!sheet.empty()) mk::WriteContactSheet(out, sheet);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mkmedia: %s\n", e.what());
    return 1;
  }
  const double secs =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("mkmedia: wrote the media files to %s in %.2f s\n", out.dir.c_str(), secs);
  return 0;
}
