#include <alsa/asoundlib.h>

#include <cerrno>
#include <cstring>

#include "../Platform.h"

namespace platform {
namespace {

// Where the samples of a WAV image are and how to play them.
struct WaveLayout {
  snd_pcm_format_t format = SND_PCM_FORMAT_UNKNOWN;
  unsigned channels = 0;
  unsigned rate = 0;
  unsigned frameBytes = 0;
  const std::uint8_t* samples = nullptr;
  std::size_t sampleBytes = 0;
};

std::uint32_t Le16(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* bytes) { return Le16(bytes) | (Le16(bytes + 2) << 16); }

snd_pcm_format_t PcmFormat(std::uint32_t bitsPerSample) {
  switch (bitsPerSample) {
    case 8:
      return SND_PCM_FORMAT_U8;
    case 16:
      return SND_PCM_FORMAT_S16_LE;
    case 24:
      return SND_PCM_FORMAT_S24_3LE;
    case 32:
      return SND_PCM_FORMAT_S32_LE;
    default:
      return SND_PCM_FORMAT_UNKNOWN;
  }
}

// Walks the chunks of the image for its format and its data; a data chunk
// that claims more than the image holds is cut at the image's end. Anything
// but integer PCM leaves the format unknown.
WaveLayout ReadLayout(const std::uint8_t* image, std::size_t size) {
  WaveLayout layout;
  if (size < 12 || std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0) {
    return layout;
  }
  bool haveFormat = false;
  std::size_t offset = 12;
  while (size - offset >= 8) {
    const std::uint8_t* chunk = image + offset;
    const std::size_t bodyBytes = Le32(chunk + 4);
    const std::size_t available = size - offset - 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && bodyBytes >= 16 && available >= 16) {
      const std::uint32_t formatTag = Le16(chunk + 8);
      layout.channels = Le16(chunk + 10);
      layout.rate = Le32(chunk + 12);
      const std::uint32_t bits = Le16(chunk + 22);
      layout.format = formatTag == 1 ? PcmFormat(bits) : SND_PCM_FORMAT_UNKNOWN;
      layout.frameBytes = layout.channels * ((bits + 7) / 8);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) break;
      layout.samples = chunk + 8;
      layout.sampleBytes = bodyBytes < available ? bodyBytes : available;
      return layout;
    }
    if (bodyBytes >= available) break;
    offset += 8 + bodyBytes + (bodyBytes & 1);
  }
  layout.format = SND_PCM_FORMAT_UNKNOWN;
  return layout;
}

// ALSA reports a missing or broken device on standard error by itself; the
// program's console belongs to the program alone.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void WriteFrames(snd_pcm_t* pcm, const WaveLayout& layout) {
  const std::uint8_t* next = layout.samples;
  snd_pcm_uframes_t framesLeft = layout.sampleBytes / layout.frameBytes;
  while (framesLeft > 0) {
    snd_pcm_sframes_t written = snd_pcm_writei(pcm, next, framesLeft);
    if (written < 0) {
      // An underrun or a suspend can be got over; anything else ends the phrase.
      if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) return;
      continue;
    }
    next += static_cast<std::size_t>(written) * layout.frameBytes;
    framesLeft -= static_cast<snd_pcm_uframes_t>(written);
  }
  snd_pcm_drain(pcm);
}

}  // namespace

void PlayWaveImage(const std::uint8_t* image, std::size_t size) {
  static const bool quiet = (snd_lib_error_set_handler(IgnoreAlsaError), true);
  (void)quiet;
  const WaveLayout layout = ReadLayout(image, size);
  if (layout.format == SND_PCM_FORMAT_UNKNOWN || layout.channels == 0 || layout.rate == 0) return;
  snd_pcm_t* pcm = nullptr;
  // Opened without blocking, so that a device another program holds fails at
  // once instead of holding the run until it is free; writes then block.
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return;
  constexpr unsigned kLatencyMicroseconds = 200000;
  if (snd_pcm_nonblock(pcm, 0) == 0 &&
      snd_pcm_set_params(pcm, layout.format, SND_PCM_ACCESS_RW_INTERLEAVED, layout.channels,
                         layout.rate, 1, kLatencyMicroseconds) == 0) {
    WriteFrames(pcm, layout);
  }
  snd_pcm_close(pcm);
}

}  // namespace platform
