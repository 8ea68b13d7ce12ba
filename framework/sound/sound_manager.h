// The process-wide sound manager: sound lists, three voice groups and the mixer they play on.
// Main thread only. Without a sound device there is no manager and every call
// below does nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/memory/arena.h"
#include "framework/sound/sound_player.h"
#include "framework/sound/sound_record.h"

namespace platform::audio {
class AudioOutput;
}

namespace vesk::sound {

// A sound id is (list << 16) | index.
inline constexpr int32_t kNoSound = -1;
inline constexpr int32_t kFileList = 0;     // stand-alone files, mostly music
inline constexpr int32_t kPackageList = 1;  // the sound-effect package
constexpr int32_t MakeSoundId(int32_t list, int32_t index) { return (list << 16) | index; }

inline constexpr int kVoiceGroupCount = 3;
inline constexpr int kBgmGroup = 0;
inline constexpr int kSeGroup = 1;
inline constexpr int kAnyVoice = -1;  // voice index: first idle voice of the automatic pool

struct VoiceGroupSize {
    int automaticVoices;
    int fixedVoices;
};
inline constexpr VoiceGroupSize kVoiceGroupSizes[kVoiceGroupCount] = {{3, 3}, {8, 12}, {4, 4}};

// Names a voice for later calls.
struct SoundVoiceHandle {
    int32_t group = -1;
    uint8_t fixedPool = 0;  // 1 when a voice index was given
    uint16_t index = 0;
};

// Opens the sound device; false (and no manager) when there is none.
bool InitSoundManager();
// Runs the manager on the given output, such as an offline mixer in tests.
bool InitSoundManager(std::unique_ptr<platform::audio::AudioOutput> output);
void ReleaseSoundManager();
bool HasSoundManager();

// Reads a wave file from the resource folder into list 0; its index there (also
// its sound id), or -1 without a manager or when the file cannot be read or
// parsed. The block comes from heap (null: the main heap).
int32_t LoadSoundFile(memory::HeapRecord* heap, std::string_view path);
// Makes list 1 from a package file block (the list takes the block and frees
// it on unload). 1, or 0 without a manager, when list 1 exists, or when the
// package is broken (a log line then names the package by `name`, its file);
// on 0 the block stays the caller's.
int LoadSoundPackage(void* block, size_t size, std::string_view name = "sound package");
// Frees the list, its records and blocks. Voices still playing one of its
// sounds are silenced first.
void UnloadSounds(int32_t list);

// Sees every play asked of PlaySound, before it is tried: with or without a
// sound manager and whether or not a voice takes it (test recorders).
class SoundPlayObserver {
public:
    virtual ~SoundPlayObserver() = default;
    virtual void OnSoundPlay(int group, int voiceIndex, int32_t soundId, float volumeA, float volumeB, bool loop) = 0;
};
// Null (the default) for none; not owned.
void SetSoundPlayObserver(SoundPlayObserver* observer);

// Plays a sound on a voice of the group: voiceIndex kAnyVoice takes the first
// idle voice of the automatic pool, else that voice of the fixed pool. The
// voice playing it, or null when nothing played.
SYS_CSoundPlayer* PlaySound(int group, int voiceIndex, float volumeA, int32_t soundId, float volumeB, bool loop,
                            SoundVoiceHandle* handle = nullptr);
SYS_CSoundPlayer* GetSoundVoice(int group, int voiceIndex, SoundVoiceHandle* handle = nullptr);
// The voice a handle names, or null when the handle is out of range.
SYS_CSoundPlayer* GetSoundVoice(const SoundVoiceHandle& handle);

void StopBgmVoices();
void StopAllVoices();
// Sets the volume of the music voice the handle names (the game's current one).
void SetBgmVolume(const SoundVoiceHandle& handle, float volumeA, float volumeB);

// Inspection: the record of a sound id, or null; the number of records in a list.
const SoundRecord* FindSound(int32_t soundId);
int32_t GetSoundCount(int32_t list);

}  // namespace vesk::sound
