// espeak-ng sets the process's character-type locale when it starts; the
// program that loads the engine must find its own locale unchanged, since its
// console output depends on it.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "EngineLibrary.h"

namespace enginetest {
namespace {

TEST(EngineLocale, CallerKeepsItsLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  {
    const EngineLibrary engine(BundledEngine("f2"));
    ASSERT_TRUE(engine.Synthesize("あいうえお").hasImage);
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), "C");
  }
  const EngineLibrary engine(BundledEngine("m1"));
  ASSERT_TRUE(engine.Synthesize("かきくけこ").hasImage);
  EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), "C");
}

}  // namespace
}  // namespace enginetest
