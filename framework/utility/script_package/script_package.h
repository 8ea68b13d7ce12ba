// Script packages: the file layout, and the manager that loads one and decodes its entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/resource/chunk_list.h"
#include "framework/utility/script_package/program_record.h"

namespace vesk::utility::script_package {

// Package file layout: a header with the mark, the layout version, the kind,
// the entry count and the entry-table offset, then entries of 144 bytes that
// each point at one block.
inline constexpr std::uint32_t kPackageHeaderSize = 20;
inline constexpr std::uint32_t kPackageMarkOffset = 0;
inline constexpr std::uint32_t kPackageVersionOffset = 4;
inline constexpr std::uint32_t kPackageKindOffset = 8;
inline constexpr std::uint32_t kPackageMark = resource::MakeTag("VSCP");
inline constexpr std::uint32_t kPackageVersion = 1;
// The kind is a four-character tag naming the command table the package was assembled for; a
// package of another kind would run its commands through the wrong handlers. A package made
// without a kind (0) and a loader asking for kAnyKind take any.
inline constexpr std::uint32_t kAnyKind = 0;
inline constexpr std::uint32_t kEffectKind = resource::MakeTag("GRAP");
inline constexpr std::uint32_t kEntryCountOffset = 12;
inline constexpr std::uint32_t kEntryTableOffsetOffset = 16;
inline constexpr std::uint32_t kEntrySize = 144;
inline constexpr std::uint32_t kEntryIdOffset = 0;
// The block's check word, BlockChecksum of its bytes; 0 in packages made without one.
inline constexpr std::uint32_t kEntryChecksumOffset = 4;
inline constexpr std::uint32_t kEntryBlockSizeOffset = 8;
inline constexpr std::uint32_t kEntryBlockOffsetOffset = 12;

// The check word of a block: FNV-1a over its bytes, never 0 (0 marks a block without one). A
// changed byte in a block that still decodes would otherwise run as a different script.
std::uint32_t BlockChecksum(const std::uint8_t* block, std::size_t size);

struct DecodedEntry {
    std::uint32_t id = 0xFFFFFFFF;
    ProgramRecord program;  // empty for an entry without a "DTPS" block
};

// One loaded script package and its decoded entries. The image is used in
// place: program records point into it, so they live as long as the manager
// holds that image.
class UTL_CManager {
public:
    UTL_CManager() = default;
    virtual ~UTL_CManager();
    UTL_CManager(const UTL_CManager&) = delete;
    UTL_CManager& operator=(const UTL_CManager&) = delete;

    // Releases what the manager held and takes ownership of image (a block
    // from MainHeapAlloc or ReadResourceFile, size bytes long). The mark and
    // version must match, the kind too when both name one, and there
    // must be entries; every count and offset is checked against size, and
    // every block that carries a check word must match it. A
    // package that fails is refused with a log line naming the package (name,
    // its file): the image is freed, the manager stays empty and the result
    // is 0. Otherwise 1.
    int ParseScriptPackage(void* image, std::size_t size, std::string_view name, std::uint32_t kind = kAnyKind);

    // Frees the entries and the image; the manager is empty afterwards.
    void Release();

    // The program of the first entry with this id, or null when no entry has
    // it. An entry without a block gives its (empty) program record.
    const ProgramRecord* FindProgram(std::uint32_t id) const;

    std::uint32_t GetEntryCount() const { return entryCount_; }
    // index must be below GetEntryCount().
    const DecodedEntry& GetEntry(std::uint32_t index) const { return entries_[index]; }

private:
    void* image_ = nullptr;
    DecodedEntry* entries_ = nullptr;
    std::uint32_t entryCount_ = 0;
};

}  // namespace vesk::utility::script_package
