// A small program the tests start: exits with the code given as its first
// argument; with "--args FILE" it writes its arguments one per line to FILE.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <chrono>

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--args") == 0) {
    FILE* f = std::fopen(argv[2], "wb");
    if (f == nullptr) return 98;
    for (int i = 3; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
    std::fclose(f);
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--sleep") == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    return 0;
  }
  return argc >= 2 ? std::atoi(argv[1]) : 0;
}
