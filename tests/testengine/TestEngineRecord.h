// Reading what the test engine recorded (see TestEngine.cpp for the
// environment it obeys), and the images it makes.
//
// YOMIAGE_TEST_ENGINE is the path of the built test engine, and
// YOMIAGE_TEST_ENGINE_WITHOUT_FREEWAVE that of a variant without a release
// entry point; both come with the CMake target yomiage_testengine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace testengine {

inline std::filesystem::path EnginePath() { return YOMIAGE_TEST_ENGINE; }
inline std::filesystem::path EngineWithoutFreeWavePath() {
  return YOMIAGE_TEST_ENGINE_WITHOUT_FREEWAVE;
}

struct SyntheCall {
  std::int32_t speed = 0;
  std::int32_t code = 0;  // what the code slot got: a size or an error code
  std::string image;      // the image's id, or "-" when none was returned
  std::string text;       // the bytes the engine was given
  std::string library;    // the file that answered
};

struct Release {
  std::string image;
  std::string library;
};

struct Record {
  std::vector<SyntheCall> calls;
  std::vector<Release> releases;
};

inline std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

inline std::string Unhex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

namespace detail {

// The value of `key=` in a record line; `last` takes the rest of the line.
inline std::string Field(std::string_view line, std::string_view key, bool last = false) {
  const std::string marker = " " + std::string(key) + "=";
  const std::size_t at = line.find(marker);
  if (at == std::string_view::npos) return {};
  const std::size_t start = at + marker.size();
  const std::size_t end = last ? line.size() : line.find(' ', start);
  return std::string(line.substr(start, end == std::string_view::npos ? line.size() - start
                                                                      : end - start));
}

}  // namespace detail

// Everything recorded in the log file; an absent file is an empty record.
inline Record ReadRecord(const std::filesystem::path& logFile) {
  Record record;
  std::ifstream in(logFile, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with("synthe ")) {
      record.calls.push_back({std::stoi(detail::Field(line, "speed")),
                              std::stoi(detail::Field(line, "code")), detail::Field(line, "image"),
                              Unhex(detail::Field(line, "text")),
                              detail::Field(line, "lib", true)});
    } else if (line.starts_with("free ")) {
      record.releases.push_back({detail::Field(line, "image"), detail::Field(line, "lib", true)});
    }
  }
  return record;
}

// The texts of the calls, in their order.
inline std::vector<std::string> CallTexts(const Record& record) {
  std::vector<std::string> texts;
  for (const SyntheCall& call : record.calls) texts.push_back(call.text);
  return texts;
}

// What breaks "every image is released exactly once, by the library that
// made it": one line per image made and not released, released more than
// once or by another library, and per release of an image never made.
// Empty when all is well.
inline std::vector<std::string> ReleaseFaults(const Record& record) {
  struct Life {
    std::string madeBy;
    std::vector<std::string> releasedBy;
  };
  std::map<std::string, Life> images;
  for (const SyntheCall& call : record.calls) {
    if (call.image != "-") images[call.image].madeBy = call.library;
  }
  for (const Release& release : record.releases) {
    images[release.image].releasedBy.push_back(release.library);
  }
  std::vector<std::string> faults;
  for (const auto& [id, life] : images) {
    if (life.madeBy.empty()) {
      faults.push_back("released, never made: " + id);
    } else if (life.releasedBy.size() != 1) {
      faults.push_back("released " + std::to_string(life.releasedBy.size()) + " times: " + id);
    } else if (life.releasedBy[0] != life.madeBy) {
      faults.push_back("released by " + life.releasedBy[0] + ", made by " + life.madeBy + ": " + id);
    }
  }
  return faults;
}

// The image the engine makes for `text` when the environment breaks nothing.
inline std::string ExpectedImage(std::string_view text, std::uint32_t leadingZeros = 0,
                                 bool silent = false) {
  const std::uint32_t dataBytes = 2 * (leadingZeros + static_cast<std::uint32_t>(text.size()));
  std::string image;
  auto put16 = [&](std::uint32_t value) {
    image.push_back(static_cast<char>(value & 0xFF));
    image.push_back(static_cast<char>((value >> 8) & 0xFF));
  };
  auto put32 = [&](std::uint32_t value) {
    put16(value & 0xFFFF);
    put16(value >> 16);
  };
  image += "RIFF";
  put32(36 + dataBytes);
  image += "WAVEfmt ";
  put32(16);
  put16(1);
  put16(1);
  put32(8000);
  put32(16000);
  put16(2);
  put16(16);
  image += "data";
  put32(dataBytes);
  for (std::uint32_t i = 0; i < leadingZeros; ++i) put16(0);
  for (unsigned char byte : text) put16(silent ? 0 : 0x100u + byte);
  return image;
}

}  // namespace testengine
