// The test engine keeps the contract other tests rely on: images that are a
// known function of the text, answers set by the environment, and a record
// that names the file that answered and every release.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "TestEngineRecord.h"
#include "TestSupport.h"
#include "render/EngineInterface.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kVariables[] = {
    "TESTENGINE_LOG",           "TESTENGINE_FAIL", "TESTENGINE_REFUSE_OVER",
    "TESTENGINE_REFUSE_CODE",   "TESTENGINE_ZERO", "TESTENGINE_LEADING_ZEROS",
    "TESTENGINE_BROKEN",
};

struct LoadedEngine {
  explicit LoadedEngine(const fs::path& file) : handle(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle == nullptr) throw std::runtime_error(dlerror());
    synthe = reinterpret_cast<AquesTalkSynthe*>(dlsym(handle, "AquesTalk_Synthe"));
    freeWave = reinterpret_cast<AquesTalkFreeWave*>(dlsym(handle, "AquesTalk_FreeWave"));
  }
  ~LoadedEngine() { dlclose(handle); }
  LoadedEngine(const LoadedEngine&) = delete;
  LoadedEngine& operator=(const LoadedEngine&) = delete;

  void* handle;
  AquesTalkSynthe* synthe = nullptr;
  AquesTalkFreeWave* freeWave = nullptr;
};

class TestEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) unsetenv(name);
    setenv("TESTENGINE_LOG", LogFile().c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : kVariables) unsetenv(name);
  }

  fs::path LogFile() const { return dir.path / "engine.log"; }
  // A copy of the engine in its own folder, as a voice folder would hold it.
  fs::path Copy(const std::string& folder, const fs::path& engine = testengine::EnginePath()) const {
    fs::create_directories(dir.path / folder);
    const fs::path copy = dir.path / folder / "AquesTalk.dll";
    fs::copy_file(engine, copy);
    return copy;
  }

  testsupport::TempDir dir;
};

TEST_F(TestEngineTest, ImageIsKnownFunctionOfTextAndRecordNamesCallAndRelease) {
  const fs::path file = Copy("voice");
  LoadedEngine engine(file);
  setenv("TESTENGINE_LEADING_ZEROS", "3", 1);
  const std::string text = "\x82\xA0;a";

  int code = 0;
  unsigned char* image = engine.synthe(text.c_str(), 150, &code);
  ASSERT_NE(image, nullptr);
  const std::string expected = testengine::ExpectedImage(text, 3);
  ASSERT_EQ(code, static_cast<int>(expected.size()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image), expected.size()), expected);
  engine.freeWave(image);

  const testengine::Record record = testengine::ReadRecord(LogFile());
  ASSERT_EQ(record.calls.size(), 1u);
  EXPECT_EQ(record.calls[0].speed, 150);
  EXPECT_EQ(record.calls[0].code, code);
  EXPECT_EQ(record.calls[0].text, text);
  EXPECT_EQ(record.calls[0].library, file.string());
  ASSERT_EQ(record.releases.size(), 1u);
  EXPECT_EQ(record.releases[0].image, record.calls[0].image);
  EXPECT_EQ(record.releases[0].library, file.string());
  EXPECT_TRUE(testengine::ReleaseFaults(record).empty());
}

TEST_F(TestEngineTest, SilentImageHasZeroSamples) {
  LoadedEngine engine(Copy("voice"));
  setenv("TESTENGINE_ZERO", "1", 1);
  int code = 0;
  unsigned char* image = engine.synthe("abc", 100, &code);
  ASSERT_NE(image, nullptr);
  const std::string expected = testengine::ExpectedImage("abc", 0, true);
  ASSERT_EQ(code, static_cast<int>(expected.size()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image), expected.size()), expected);
  engine.freeWave(image);
}

TEST_F(TestEngineTest, EnvironmentChoosesFailures) {
  struct Case {
    const char* name;
    const char* fail;
    const char* refuseOver;
    const char* refuseCode;
    std::string text;
    int expectedCode;  // 0: an image
  };
  const Case cases[] = {
      {"listed text fails", "6162:105,78:200", nullptr, nullptr, "ab", 105},
      {"second entry, lower-case hex", "7a:1,6a6b:200", nullptr, nullptr, "jk", 200},
      {"other text passes", "6162:105", nullptr, nullptr, "abc", 0},
      {"at the limit passes", nullptr, "3", nullptr, "abc", 0},
      {"over the limit refused, 202 by default", nullptr, "3", nullptr, "abcd", 202},
      {"refusal code chosen", nullptr, "3", "204", "abcd", 204},
      {"listed failure wins over the limit", "6162636465:106", "3", nullptr, "abcde", 106},
  };
  LoadedEngine engine(Copy("voice"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (auto [name, value] : {std::pair{"TESTENGINE_FAIL", c.fail},
                               std::pair{"TESTENGINE_REFUSE_OVER", c.refuseOver},
                               std::pair{"TESTENGINE_REFUSE_CODE", c.refuseCode}}) {
      if (value != nullptr) setenv(name, value, 1); else unsetenv(name);
    }
    int code = -1;
    unsigned char* image = engine.synthe(c.text.c_str(), 100, &code);
    if (c.expectedCode == 0) {
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(code, static_cast<int>(testengine::ExpectedImage(c.text).size()));
      engine.freeWave(image);
    } else {
      EXPECT_EQ(image, nullptr);
      EXPECT_EQ(code, c.expectedCode);
      EXPECT_EQ(testengine::ReadRecord(LogFile()).calls.back().image, "-");
    }
  }
  EXPECT_TRUE(testengine::ReleaseFaults(testengine::ReadRecord(LogFile())).empty());
}

TEST_F(TestEngineTest, BrokenAnswersBreakTheirPromise) {
  LoadedEngine engine(Copy("voice"));
  const std::string full = testengine::ExpectedImage("abcd");
  int code = 0;

  setenv("TESTENGINE_BROKEN", "short", 1);
  unsigned char* image = engine.synthe("abcd", 100, &code);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(code, 20);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image), 20), full.substr(0, 20));
  engine.freeWave(image);

  setenv("TESTENGINE_BROKEN", "oversize", 1);
  image = engine.synthe("abcd", 100, &code);
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(code, static_cast<int>(full.size()));
  std::uint32_t dataSize = 0;
  std::memcpy(&dataSize, image + 40, 4);
  EXPECT_EQ(dataSize, full.size() - 44 + 1000);
  engine.freeWave(image);

  setenv("TESTENGINE_BROKEN", "null", 1);
  EXPECT_EQ(engine.synthe("abcd", 100, &code), nullptr);
  EXPECT_EQ(code, static_cast<int>(full.size()));

  EXPECT_TRUE(testengine::ReleaseFaults(testengine::ReadRecord(LogFile())).empty());
}

TEST_F(TestEngineTest, CopiesAnswerUnderTheirOwnPathAndFaultsShow) {
  const fs::path first = Copy("first");
  const fs::path second = Copy("second");
  LoadedEngine one(first);
  LoadedEngine two(second);
  int code = 0;
  unsigned char* fromOne = one.synthe("a", 100, &code);
  unsigned char* fromTwo = two.synthe("b", 100, &code);
  ASSERT_NE(fromOne, nullptr);
  ASSERT_NE(fromTwo, nullptr);
  one.freeWave(fromOne);

  testengine::Record record = testengine::ReadRecord(LogFile());
  ASSERT_EQ(record.calls.size(), 2u);
  EXPECT_EQ(record.calls[0].library, first.string());
  EXPECT_EQ(record.calls[1].library, second.string());
  EXPECT_NE(record.calls[0].image, record.calls[1].image);
  EXPECT_EQ(testengine::ReleaseFaults(record),
            std::vector<std::string>{"released 0 times: " + record.calls[1].image});

  // Released through the other copy's entry point: the record tells.
  one.freeWave(fromTwo);
  record = testengine::ReadRecord(LogFile());
  ASSERT_EQ(testengine::ReleaseFaults(record).size(), 1u);
  EXPECT_EQ(testengine::ReleaseFaults(record)[0].rfind("released by " + first.string(), 0), 0u);
}

TEST_F(TestEngineTest, VariantWithoutFreeWaveLacksOnlyThatExport) {
  LoadedEngine engine(Copy("voice", testengine::EngineWithoutFreeWavePath()));
  EXPECT_NE(engine.synthe, nullptr);
  EXPECT_EQ(engine.freeWave, nullptr);
}

}  // namespace
