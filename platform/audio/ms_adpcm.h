// MS-ADPCM blocks: their header size, the frames a block holds and the decoding of one block.
#pragma once

#include <cstdint>
#include <span>

namespace platform::audio {

// Bytes of the per-block header (predictor, delta and two samples per channel).
constexpr uint32_t MsAdpcmHeaderBytes(uint32_t channels) { return 7 * channels; }

// The most frames a block of the given size can hold (0 when it cannot hold a header).
uint32_t MsAdpcmFramesInBlock(uint32_t blockBytes, uint32_t channels);

// Decodes one block into interleaved 16-bit frames. Decodes at most samplesPerBlock
// frames and never more than the block's bytes hold (a short last block gives
// fewer). Returns the frames written; 0 when the header is incomplete, a predictor
// index is out of the coefficient table, or out cannot hold samplesPerBlock frames.
uint32_t DecodeMsAdpcmBlock(std::span<const uint8_t> block, uint32_t channels, uint32_t samplesPerBlock,
                            std::span<int16_t> out);

}  // namespace platform::audio
