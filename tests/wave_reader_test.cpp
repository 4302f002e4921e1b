// The WAVE file reader on files read by Wine's own multimedia file I/O: byte fixtures written here, files
// made by sox, and faults that only a patched import can give. Every test ends with nothing allocated and
// no file open.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>

#include <optional>
#include <string>
#include <vector>

#include "pe_image.h"
#include "resource_ledger.h"
#include "wave_files.h"
#include "wave_reader.h"

using namespace std::string_literals;

namespace {

const char* const fixture_name = "wave_reader_fixture.wav";

// Written where an output was not yet set, so that an output left alone shows up.
WAVEFORMATEX* const unwritten_format = reinterpret_cast<WAVEFORMATEX*>(0x5EE0F00D);
BYTE* const unwritten_samples = reinterpret_cast<BYTE*>(0x5EE0DA7A);
HMMIO const unwritten_file = reinterpret_cast<HMMIO>(0x5EE0F11E);

// The format record of a compressed format (tag 2), whose chunk goes on with a count of extra bytes.
const std::string adpcm_format = "\x02\x00\x01\x00" "\x22\x56\x00\x00" "\x00\x2B\x00\x00" "\x00\x02\x04\x00"s;

// What wave_load_file gave, with both blocks copied out and freed.
struct LoadedWave {
  MMRESULT result;
  uint32_t sample_bytes;
  std::string format;  // the format block, all of it
  std::string samples;
  bool outputs_emptied;  // both pointers null
};

LoadedWave load_wave(const char* name) {
  uint32_t sample_bytes = 0xFFFFFFFF;
  WAVEFORMATEX* format_block = unwritten_format;
  BYTE* sample_data = unwritten_samples;
  LoadedWave loaded{.result = wave_load_file(name, &sample_bytes, &format_block, &sample_data),
                    .sample_bytes = sample_bytes,
                    .outputs_emptied = format_block == nullptr && sample_data == nullptr};
  if (loaded.result == MMSYSERR_NOERROR) {
    loaded.format.assign(reinterpret_cast<const char*>(format_block), GlobalSize(format_block));
    loaded.samples.assign(reinterpret_cast<const char*>(sample_data), sample_bytes);
    GlobalFree(format_block);
    GlobalFree(sample_data);
  }
  return loaded;
}

class WaveReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { ledger_.expect_nothing_held(); }

  ResourceLedger ledger_;
};

// Files that break one rule of the layout, and what the reader says about each.
struct RefusedFile {
  const char* name;
  std::string bytes;
  MMRESULT result;
};

TEST_F(WaveReaderTest, RefusesEachBrokenLayoutWithItsCode) {
  const std::string format = chunk("fmt ", pcm16_mono_format);
  const std::vector<RefusedFile> cases = {
      {"RIFF with another form type", "RIFF" + le32(28) + "AVI " + format, WAVE_BAD_LAYOUT},
      {"not RIFF at all", "RIFX" + le32(28) + "WAVE" + format, WAVE_BAD_LAYOUT},
      {"shorter than one chunk header", "RIFF\x04\x00"s, MMIOERR_CHUNKNOTFOUND},
      {"empty", "", MMIOERR_CHUNKNOTFOUND},
      {"14-byte format chunk", wave_file(chunk("fmt ", pcm16_mono_format.substr(0, 14)) + chunk("data", "ab")),
       WAVE_BAD_LAYOUT},
      {"no format chunk", wave_file(chunk("data", "abcd")), MMIOERR_CHUNKNOTFOUND},
      {"file ends inside the format record", wave_file("fmt " + le32(16) + pcm16_mono_format.substr(0, 10)),
       WAVE_SHORT_READ},
      {"file ends before the extra-byte count", wave_file(chunk("fmt ", adpcm_format)), WAVE_SHORT_READ},
      // The count is read past a 16-byte chunk, from the next chunk's id: "da" asks for 0x6164 bytes.
      {"count taken from the next chunk", wave_file(chunk("fmt ", adpcm_format) + chunk("data", "abcd")),
       WAVE_BAD_LAYOUT},
      {"fewer extra bytes than counted", wave_file("fmt " + le32(22) + adpcm_format + "\x04\x00" "ab"s),
       WAVE_BAD_LAYOUT},
      {"no data chunk", wave_file(format + chunk("LIST", "INFO")), MMIOERR_CHUNKNOTFOUND},
      {"data running past the end of the file", wave_file(format + "data" + le32(100) + "abcd"),
       WAVE_DATA_ENDS_EARLY},
  };
  for (const RefusedFile& c : cases) {
    SCOPED_TRACE(c.name);
    write_file(fixture_name, c.bytes);
    LoadedWave loaded = load_wave(fixture_name);
    EXPECT_EQ(loaded.result, c.result);
    EXPECT_TRUE(loaded.outputs_emptied);
    EXPECT_EQ(loaded.sample_bytes, 0u);
    ledger_.expect_nothing_held();
  }
}

TEST_F(WaveReaderTest, MissingFileFailsToOpen) {
  EXPECT_EQ(load_wave("no_such_file.wav").result, WAVE_OPEN_FAILED);
  HMMIO file = unwritten_file;
  WAVEFORMATEX* format_block = unwritten_format;
  MMCKINFO riff_chunk;
  EXPECT_EQ(wave_open_format("no_such_file.wav", &file, &format_block, &riff_chunk), WAVE_OPEN_FAILED);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(format_block, nullptr);
}

// Files that the reader accepts, with the format block and samples it must deliver.
struct AcceptedFile {
  const char* name;
  std::string bytes;
  std::string format_block;
  std::string samples;
};

TEST_F(WaveReaderTest, LoadsEachAcceptedLayout) {
  const std::string pcm_block = pcm16_mono_format + "\x00\x00"s;
  const std::vector<AcceptedFile> cases = {
      {"plain PCM", wave_file(chunk("fmt ", pcm16_mono_format) + chunk("data", "\x01\x02\x03\x04"s)), pcm_block,
       "\x01\x02\x03\x04"s},
      // The stored cbSize word of a PCM chunk is skipped: the block is 18 bytes with cbSize 0.
      {"18-byte PCM format chunk",
       wave_file(chunk("fmt ", pcm16_mono_format + "\x34\x12"s) + chunk("data", "\x01\x02\x03\x04"s)), pcm_block,
       "\x01\x02\x03\x04"s},
      {"format other than PCM with 2 extra bytes",
       wave_file(chunk("fmt ", adpcm_format + "\x02\x00\xF4\x01"s) + chunk("data", "\x11\x22"s)),
       adpcm_format + "\x02\x00\xF4\x01"s, "\x11\x22"s},
      {"data before format", wave_file(chunk("data", "\x01\x02\x03\x04"s) + chunk("fmt ", pcm16_mono_format)),
       pcm_block, "\x01\x02\x03\x04"s},
      {"unknown chunks between format and data",
       wave_file(chunk("fmt ", pcm16_mono_format) + chunk("fact", le32(2)) + chunk("LIST", "INFOICMT") +
                 chunk("data", "\x01\x02\x03\x04"s)),
       pcm_block, "\x01\x02\x03\x04"s},
      {"odd-sized chunks with their pad bytes",
       wave_file(chunk("junk", "abc") + chunk("fmt ", pcm16_mono_format) + chunk("LIST", "INFOI") +
                 chunk("data", "\x01\x02\x03"s)),
       pcm_block, "\x01\x02\x03"s},
      {"empty data chunk", wave_file(chunk("fmt ", pcm16_mono_format) + chunk("data", "")), pcm_block, ""},
  };
  for (const AcceptedFile& c : cases) {
    SCOPED_TRACE(c.name);
    write_file(fixture_name, c.bytes);
    LoadedWave loaded = load_wave(fixture_name);
    ASSERT_EQ(loaded.result, MMSYSERR_NOERROR);
    EXPECT_EQ(loaded.format, c.format_block);
    EXPECT_EQ(loaded.sample_bytes, c.samples.size());
    EXPECT_EQ(loaded.samples, c.samples);
  }
}

TEST_F(WaveReaderTest, IsPcmOnlyForReadablePcmFiles) {
  const struct {
    const char* name;
    std::string bytes;
    bool pcm;
  } cases[] = {
      {"PCM", wave_file(chunk("fmt ", pcm16_mono_format) + chunk("data", "ab")), true},
      {"PCM without a data chunk", wave_file(chunk("fmt ", pcm16_mono_format)), true},
      {"format tag 2", wave_file(chunk("fmt ", adpcm_format + "\x02\x00\xF4\x01"s) + chunk("data", "ab")), false},
      {"14-byte format chunk", wave_file(chunk("fmt ", pcm16_mono_format.substr(0, 14))), false},
      {"not RIFF", "RIFX" + le32(28) + "WAVE" + chunk("fmt ", pcm16_mono_format), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    write_file(fixture_name, c.bytes);
    EXPECT_EQ(wave_is_pcm(fixture_name), c.pcm);
    ledger_.expect_nothing_held();
  }
  EXPECT_FALSE(wave_is_pcm("no_such_file.wav"));
}

TEST_F(WaveReaderTest, StepByStepReadsOnlyTheBytesWanted) {
  const std::string format = chunk("fmt ", pcm16_mono_format + "\x34\x12"s);
  write_file(fixture_name, wave_file(format + chunk("data", "\x01\x02\x03\x04\x05\x06"s)));
  HMMIO file = unwritten_file;
  WAVEFORMATEX* format_block = unwritten_format;
  MMCKINFO riff_chunk;
  ASSERT_EQ(wave_open_format(fixture_name, &file, &format_block, &riff_chunk), MMSYSERR_NOERROR);
  EXPECT_EQ(format_block->cbSize, 0);
  // The file stands just after the whole format chunk, its unused cbSize word included.
  EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), static_cast<LONG>(12 + format.size()));
  MMCKINFO data_chunk;
  ASSERT_EQ(wave_find_data(file, &data_chunk, &riff_chunk), MMSYSERR_NOERROR);
  EXPECT_EQ(data_chunk.cksize, 6u);

  std::string samples(6, '\xEE');
  uint32_t bytes_read = 0xFFFFFFFF;
  EXPECT_EQ(wave_read_data(file, 4, reinterpret_cast<BYTE*>(samples.data()), &data_chunk, &bytes_read),
            MMSYSERR_NOERROR);
  EXPECT_EQ(bytes_read, 4u);
  EXPECT_EQ(samples, "\x01\x02\x03\x04\xEE\xEE"s);
  EXPECT_EQ(data_chunk.cksize, 2u);

  // Asking for more than is left reads only what is left.
  EXPECT_EQ(wave_read_data(file, 100, reinterpret_cast<BYTE*>(samples.data()), &data_chunk, &bytes_read),
            MMSYSERR_NOERROR);
  EXPECT_EQ(bytes_read, 2u);
  EXPECT_EQ(samples.substr(0, 2), "\x05\x06"s);
  EXPECT_EQ(data_chunk.cksize, 0u);

  EXPECT_EQ(wave_close(&file, &format_block), MMSYSERR_NOERROR);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(format_block, nullptr);
  EXPECT_EQ(wave_close(&file, &format_block), MMSYSERR_NOERROR);
}

// Stand-ins for the multimedia functions, for faults that no file gives.
MMRESULT WINAPI get_info_failing(HMMIO, LPMMIOINFO, UINT) { return MMSYSERR_INVALHANDLE; }
MMRESULT WINAPI advance_failing(HMMIO, LPMMIOINFO, UINT) { return MMIOERR_CANNOTREAD; }
MMRESULT WINAPI advance_bringing_nothing(HMMIO, LPMMIOINFO, UINT) { return MMSYSERR_NOERROR; }
MMRESULT WINAPI set_info_failing(HMMIO, LPCMMIOINFO, UINT) { return MMIOERR_CANNOTWRITE; }

TEST_F(WaveReaderTest, PassesOnInjectedFaultsAndUndoesEverything) {
  // Larger than the multimedia library's I/O buffer, so that the read needs refills.
  std::string samples(40000, '\0');
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<char>(i * 7);
  write_file(fixture_name, wave_file(chunk("fmt ", pcm16_mono_format) + chunk("data", samples)));
  ASSERT_EQ(load_wave(fixture_name).samples, samples);

  const struct {
    const char* name;
    const char* function;  // the multimedia function replaced, or null for an allocation that fails
    void* replacement;
    int failing_allocation;
    MMRESULT result;
  } cases[] = {
      {"format block allocation", nullptr, nullptr, 1, WAVE_NO_MEMORY},
      {"sample block allocation", nullptr, nullptr, 2, WAVE_NO_MEMORY},
      {"mmioGetInfo", "mmioGetInfo", reinterpret_cast<void*>(get_info_failing), 0, MMSYSERR_ERROR},
      {"mmioAdvance", "mmioAdvance", reinterpret_cast<void*>(advance_failing), 0, MMIOERR_CANNOTREAD},
      {"refill bringing no bytes", "mmioAdvance", reinterpret_cast<void*>(advance_bringing_nothing), 0,
       WAVE_DATA_ENDS_EARLY},
      {"mmioSetInfo", "mmioSetInfo", reinterpret_cast<void*>(set_info_failing), 0, MMIOERR_CANNOTWRITE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<ImportPatch> fault;
    if (c.function != nullptr) {
      fault.emplace(GetModuleHandleA(nullptr), "winmm.dll", c.function, c.replacement);
    } else {
      ledger_.fail_allocation(c.failing_allocation);
    }
    LoadedWave loaded = load_wave(fixture_name);
    fault.reset();
    EXPECT_EQ(loaded.result, c.result);
    EXPECT_TRUE(loaded.outputs_emptied);
    EXPECT_EQ(loaded.sample_bytes, 0u);
    ledger_.expect_nothing_held();
  }
}

TEST_F(WaveReaderTest, EveryTruncationGivesACodeAndLeavesNothingBehind) {
  const std::string whole = wave_file(chunk("LIST", "INFOI") + chunk("fmt ", pcm16_mono_format + "\x00\x00"s) +
                                      chunk("data", "\x01\x02\x03"s));
  const size_t samples_end = whole.size() - 1;  // the pad byte after the samples is not needed
  for (size_t length = 0; length <= whole.size(); ++length) {
    SCOPED_TRACE("cut at " + std::to_string(length));
    write_file(fixture_name, whole.substr(0, length));
    LoadedWave loaded = load_wave(fixture_name);
    if (length >= samples_end) {
      EXPECT_EQ(loaded.result, MMSYSERR_NOERROR);
      EXPECT_EQ(loaded.samples, "\x01\x02\x03"s);
    } else {
      EXPECT_NE(loaded.result, MMSYSERR_NOERROR);
      EXPECT_TRUE(loaded.outputs_emptied);
      EXPECT_EQ(loaded.sample_bytes, 0u);
    }
    const bool pcm = wave_is_pcm(fixture_name);
    if (length >= samples_end) EXPECT_TRUE(pcm);
    ledger_.expect_nothing_held();
  }
}

// Files that sox writes, and what the reader makes of each: every one loads, and only PCM passes the PCM
// check. A WAVE_FORMAT_EXTENSIBLE file carries tag 0xFFFE and 22 extra bytes, even when its samples are PCM.
TEST_F(WaveReaderTest, ReadsWhatSoxWrites) {
  const struct {
    const char* name;
    WORD format_tag;
    WORD extra_bytes;
    bool pcm;
    bool raw_samples;  // sox also wrote the samples alone, to compare byte for byte
  } cases[] = {
      {"pcm_u8_mono", WAVE_FORMAT_PCM, 0, true, true},
      {"pcm_u8_stereo", WAVE_FORMAT_PCM, 0, true, true},
      {"pcm_s16_mono", WAVE_FORMAT_PCM, 0, true, true},
      {"pcm_s16_stereo", WAVE_FORMAT_PCM, 0, true, true},
      {"ima_adpcm", WAVE_FORMAT_IMA_ADPCM, 2, false, false},
      {"ms_adpcm", WAVE_FORMAT_ADPCM, 32, false, false},
      {"a_law", WAVE_FORMAT_ALAW, 0, false, true},
      {"mu_law", WAVE_FORMAT_MULAW, 0, false, true},
      {"float", WAVE_FORMAT_IEEE_FLOAT, 0, false, true},
      {"extensible_pcm_s24", WAVE_FORMAT_EXTENSIBLE, 22, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = SOX_WAVES "/"s + c.name;
    LoadedWave loaded = load_wave((path + ".wav").c_str());
    ASSERT_EQ(loaded.result, MMSYSERR_NOERROR);
    ASSERT_EQ(loaded.format.size(), sizeof(WAVEFORMATEX) + c.extra_bytes);
    auto format = reinterpret_cast<const WAVEFORMATEX*>(loaded.format.data());
    EXPECT_EQ(format->wFormatTag, c.format_tag);
    EXPECT_EQ(format->cbSize, c.extra_bytes);
    EXPECT_GT(loaded.sample_bytes, 0u);
    if (c.raw_samples) EXPECT_EQ(loaded.samples, read_file(path + ".raw"));
    EXPECT_EQ(wave_is_pcm((path + ".wav").c_str()), c.pcm);
  }
}

}  // namespace
