// Plays the WAV image in the file named first through PlayWave, then writes
// the buffer as it came back into the file named second. Run by the playback
// tests in a process of its own, because the sound system reads its
// configuration from $HOME on first use.
#include <fstream>
#include <iterator>
#include <vector>

#include "audio/PlayWave.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::uint8_t> wave{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
  audio::PlayWave(wave.data(), wave.size());
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  return out ? 0 : 2;
}
