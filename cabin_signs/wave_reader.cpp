#include "wave_reader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr FOURCC wave_form = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC format_chunk_id = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC data_chunk_id = mmioFOURCC('d', 'a', 't', 'a');

// The format block is a WAVEFORMATEX, then its cbSize extra bytes; the file's format chunk starts with the
// first 16 bytes of it.
static_assert(sizeof(PCMWAVEFORMAT) == 16);
static_assert(sizeof(WAVEFORMATEX) == 18);

bool read_exactly(HMMIO file, void* destination, LONG bytes) {
  return mmioRead(file, static_cast<HPSTR>(destination), bytes) == bytes;
}

// Steps of wave_open_format after the open; the caller undoes them on failure.
MMRESULT read_format(HMMIO file, WAVEFORMATEX** format_block, MMCKINFO* riff_chunk) {
  MMRESULT result = mmioDescend(file, riff_chunk, nullptr, 0);
  if (result != MMSYSERR_NOERROR) return result;
  if (riff_chunk->ckid != FOURCC_RIFF || riff_chunk->fccType != wave_form) return WAVE_BAD_LAYOUT;

  MMCKINFO format_chunk{.ckid = format_chunk_id};
  result = mmioDescend(file, &format_chunk, riff_chunk, MMIO_FINDCHUNK);
  if (result != MMSYSERR_NOERROR) return result;
  if (format_chunk.cksize < sizeof(PCMWAVEFORMAT)) return WAVE_BAD_LAYOUT;

  PCMWAVEFORMAT format;
  if (!read_exactly(file, &format, sizeof format)) return WAVE_SHORT_READ;
  // Only formats other than PCM carry the count of extra bytes. It is read even when the chunk ends after
  // the first 16 bytes, from whatever follows in the file.
  WORD extra_bytes = 0;
  if (format.wf.wFormatTag != WAVE_FORMAT_PCM && !read_exactly(file, &extra_bytes, sizeof extra_bytes)) {
    return WAVE_SHORT_READ;
  }

  *format_block = static_cast<WAVEFORMATEX*>(GlobalAlloc(GMEM_FIXED, sizeof(WAVEFORMATEX) + extra_bytes));
  if (*format_block == nullptr) return WAVE_NO_MEMORY;
  std::memcpy(*format_block, &format, sizeof format);
  (*format_block)->cbSize = extra_bytes;
  if (extra_bytes > 0 && !read_exactly(file, *format_block + 1, extra_bytes)) return WAVE_BAD_LAYOUT;

  // Leaves the chunk whatever it holds past what was read, such as a PCM chunk's unused cbSize word.
  return mmioAscend(file, &format_chunk, 0);
}

// Steps of wave_load_file after the format; the caller undoes them on failure.
MMRESULT read_samples(HMMIO file, const MMCKINFO* riff_chunk, uint32_t* sample_bytes, BYTE** sample_data) {
  MMCKINFO data_chunk;
  MMRESULT result = wave_find_data(file, &data_chunk, riff_chunk);
  if (result != MMSYSERR_NOERROR) return result;

  *sample_data = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, data_chunk.cksize));
  if (*sample_data == nullptr) return WAVE_NO_MEMORY;
  uint32_t bytes_read;
  result = wave_read_data(file, data_chunk.cksize, *sample_data, &data_chunk, &bytes_read);
  if (result != MMSYSERR_NOERROR) return result;
  *sample_bytes = bytes_read;
  return MMSYSERR_NOERROR;
}

}  // namespace

MMRESULT wave_open_format(const char* file_name, HMMIO* file, WAVEFORMATEX** format_block, MMCKINFO* riff_chunk) {
  *format_block = nullptr;
  // mmioOpenA writes to the name only when asked to parse it (MMIO_PARSE).
  HMMIO opened = mmioOpenA(const_cast<char*>(file_name), nullptr, MMIO_READ | MMIO_ALLOCBUF);
  if (opened == nullptr) {
    *file = nullptr;
    return WAVE_OPEN_FAILED;
  }
  MMRESULT result = read_format(opened, format_block, riff_chunk);
  if (result != MMSYSERR_NOERROR) wave_close(&opened, format_block);
  *file = opened;
  return result;
}

MMRESULT wave_find_data(HMMIO file, MMCKINFO* data_chunk, const MMCKINFO* riff_chunk) {
  // The search starts at the first subchunk, just past the form type, so the data chunk is found before or
  // after the format chunk. A failed seek goes unreported: the search then starts where the file stands.
  mmioSeek(file, riff_chunk->dwDataOffset + sizeof(FOURCC), SEEK_SET);
  data_chunk->ckid = data_chunk_id;
  return mmioDescend(file, data_chunk, riff_chunk, MMIO_FINDCHUNK);
}

MMRESULT wave_read_data(HMMIO file, uint32_t bytes_wanted, BYTE* destination, MMCKINFO* data_chunk,
                        uint32_t* bytes_read) {
  *bytes_read = 0;
  MMIOINFO info;
  if (mmioGetInfo(file, &info, 0) != MMSYSERR_NOERROR) return MMSYSERR_ERROR;

  const uint32_t count = std::min<uint32_t>(bytes_wanted, data_chunk->cksize);
  data_chunk->cksize -= count;
  for (uint32_t i = 0; i < count; ++i) {
    if (info.pchNext == info.pchEndRead) {
      MMRESULT result = mmioAdvance(file, &info, MMIO_READ);
      if (result != MMSYSERR_NOERROR) return result;
      // At the end of the file mmioAdvance succeeds and brings no byte.
      if (info.pchNext == info.pchEndRead) return WAVE_DATA_ENDS_EARLY;
    }
    destination[i] = static_cast<BYTE>(*info.pchNext++);
  }

  MMRESULT result = mmioSetInfo(file, &info, 0);
  if (result != MMSYSERR_NOERROR) return result;
  *bytes_read = count;
  return MMSYSERR_NOERROR;
}

MMRESULT wave_close(HMMIO* file, WAVEFORMATEX** format_block) {
  if (*format_block != nullptr) {
    GlobalFree(*format_block);
    *format_block = nullptr;
  }
  if (*file != nullptr) {
    mmioClose(*file, 0);
    *file = nullptr;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT wave_load_file(const char* file_name, uint32_t* sample_bytes, WAVEFORMATEX** format_block,
                        BYTE** sample_data) {
  *sample_data = nullptr;
  *format_block = nullptr;
  *sample_bytes = 0;
  HMMIO file;
  MMCKINFO riff_chunk;
  MMRESULT result = wave_open_format(file_name, &file, format_block, &riff_chunk);
  if (result != MMSYSERR_NOERROR) return result;

  result = read_samples(file, &riff_chunk, sample_bytes, sample_data);
  if (result != MMSYSERR_NOERROR) {
    if (*sample_data != nullptr) {
      GlobalFree(*sample_data);
      *sample_data = nullptr;
    }
    wave_close(&file, format_block);
    return result;
  }
  mmioClose(file, 0);
  return MMSYSERR_NOERROR;
}

bool wave_is_pcm(const char* file_name) {
  HMMIO file;
  WAVEFORMATEX* format_block;
  MMCKINFO riff_chunk;
  if (wave_open_format(file_name, &file, &format_block, &riff_chunk) != MMSYSERR_NOERROR) return false;
  const bool pcm = format_block->wFormatTag == WAVE_FORMAT_PCM;
  wave_close(&file, &format_block);
  return pcm;
}
