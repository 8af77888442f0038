#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "config/settings/read_file.h"

namespace krovan {

// The C runtime's functions: std::filesystem would add most of a megabyte to the program.
std::string ReadFileStart(const char* path, std::size_t max_length) {
  // Binary mode: line ends are the reader's business, on every platform alike.
  const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path, "rb"),
                                                                &std::fclose);
  struct stat status {};
  if (!file || fstat(fileno(file.get()), &status) != 0 || (status.st_mode & S_IFMT) != S_IFREG) {
    return {};
  }
  std::string text(max_length, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  return text;
}

}  // namespace krovan
