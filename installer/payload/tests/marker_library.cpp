// A shared library whose start-up code leaves a marker file (the path in
// KITZ_MARKER): installing it and testing "?" for its name must never run it.
#include <cstdio>
#include <cstdlib>

__attribute__((constructor)) static void leave_marker() {
  if (const char* path = std::getenv("KITZ_MARKER")) {
    if (std::FILE* marker = std::fopen(path, "w")) std::fclose(marker);
  }
}
