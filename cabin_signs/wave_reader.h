// Reads a RIFF/WAVE sound file through the multimedia file I/O into fixed global memory blocks: the format
// as a WAVEFORMATEX with its extra bytes, and the data chunk byte for byte. Shows nothing, keeps no state;
// every failure comes back as a result code, with the file closed and nothing left allocated.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// Result codes besides 0 (success). A failed mmioGetInfo gives 1; errors of mmioDescend, mmioAscend,
// mmioAdvance and mmioSetInfo come back unchanged.
constexpr MMRESULT WAVE_NO_MEMORY = 0xE000;        // the format or the sample block could not be allocated
constexpr MMRESULT WAVE_OPEN_FAILED = 0xE100;      // mmioOpenA gave no file
constexpr MMRESULT WAVE_BAD_LAYOUT = 0xE101;       // not RIFF/WAVE, format chunk under 16 bytes, or extra bytes missing
constexpr MMRESULT WAVE_SHORT_READ = 0xE102;       // the 16-byte format record or the extra-byte count came back short
constexpr MMRESULT WAVE_DATA_ENDS_EARLY = 0xE103;  // the file ended inside the requested data

// Opens the file and reads its format chunk into a new format block. On success the file stands just
// after the format chunk, and the caller owns the file and the block; on failure both are null.
MMRESULT wave_open_format(const char* file_name, HMMIO* file, WAVEFORMATEX** format_block, MMCKINFO* riff_chunk);

// Finds the data chunk among all of the RIFF chunk's subchunks and stands at its first byte.
MMRESULT wave_find_data(HMMIO file, MMCKINFO* data_chunk, const MMCKINFO* riff_chunk);

// Copies up to `bytes_wanted` bytes of the data chunk straight from the file's I/O buffer. The chunk's
// cksize keeps the count of bytes not yet taken.
MMRESULT wave_read_data(HMMIO file, uint32_t bytes_wanted, BYTE* destination, MMCKINFO* data_chunk,
                        uint32_t* bytes_read);

// Frees the format block and closes the file, whichever of them is there, and empties both. Returns 0.
MMRESULT wave_close(HMMIO* file, WAVEFORMATEX** format_block);

// Reads the whole file. On success the caller owns both blocks; on failure both are null and the length 0.
MMRESULT wave_load_file(const char* file_name, uint32_t* sample_bytes, WAVEFORMATEX** format_block,
                        BYTE** sample_data);

// Whether the file is a readable RIFF/WAVE file of uncompressed PCM. Leaves nothing open or allocated.
bool wave_is_pcm(const char* file_name);
