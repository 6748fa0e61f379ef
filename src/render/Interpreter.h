// The statement interpreter: executes the StatementList once, first to last.
#pragma once

#include <cstdint>
#include <string>

#include "EngineBinding.h"
#include "RenderSettings.h"
#include "audio/OutputFile.h"
#include "audio/SilenceBlock.h"
#include "script/Statement.h"

namespace render {

// Where the sound goes: into the output file when there is one, else to the
// sound device. The pauses of a file are written from the silence block.
struct SoundOutput {
  audio::OutputFile* file = nullptr;
  const audio::SilenceBlock* silence = nullptr;
};

// The paths a voice switch is resolved against.
struct VoicePaths {
  std::string exeDirectory;
  std::string defaultEnginePath;
};

// The phonetic text gathered for the next flush, and the terminator of the
// previous flush that goes in front of it.
struct PendingSpeech {
  std::string PendingText;
  std::string PendingTerminator;
};

void RunStatements(const script::StatementList& statements, RenderSettings& settings,
                   EngineBinding& binding, const VoicePaths& voicePaths, const SoundOutput& output);

// A phrase statement or flush marker: gathers its text and, at a flushing
// kind, speaks everything gathered and pauses after it.
void FlushPending(std::string_view statement, PendingSpeech& pending, const RenderSettings& settings,
                  const EngineBinding& binding, const SoundOutput& output);

// n milliseconds scaled by the speeds: ((n × 100) / BaseSpeed × 100) / RelativeSpeed
// in unsigned 32-bit arithmetic, so pauses shrink as speech gets faster.
std::uint32_t ScalePause(std::uint32_t milliseconds, const RenderSettings& settings);

// Holds the thread in play mode, writes silence in file mode.
void InsertPause(std::uint32_t milliseconds, const SoundOutput& output);

}  // namespace render
