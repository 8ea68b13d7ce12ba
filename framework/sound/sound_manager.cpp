// The sound manager: sound lists loaded and unloaded, voice groups on the mixer, and the play observer.
#include "framework/sound/sound_manager.h"

#include <array>
#include <map>
#include <string>
#include <vector>

#include "framework/file/heap_block.h"
#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "framework/sound/sound_package.h"
#include "platform/audio/audio_output.h"

namespace vesk::sound {
namespace {

constexpr int kAutomaticPool = 0;
constexpr int kFixedPool = 1;

SoundPlayObserver* g_playObserver = nullptr;

struct SoundList {
    void* packageBlock = nullptr;  // owned; list 1 only
    // Records keep their address for as long as the list lives: voices point at them.
    std::vector<std::unique_ptr<SoundRecord>> records;
};

struct SoundManager {
    std::unique_ptr<platform::audio::AudioOutput> output;
    std::map<int32_t, SoundList> lists;
    std::array<std::array<std::vector<std::unique_ptr<SYSWIN_CSoundPlayer>>, 2>, kVoiceGroupCount> voices;
};

std::unique_ptr<SoundManager> g_manager;

void FreeList(SoundList& list)
{
    for (const std::unique_ptr<SoundRecord>& record : list.records) {
        file::FreeFileBlock(record->fileBlock);
    }
    list.records.clear();
    file::FreeFileBlock(list.packageBlock);
    list.packageBlock = nullptr;
}

template <typename Action>
void ForEachVoice(Action action)
{
    for (auto& group : g_manager->voices) {
        for (auto& pool : group) {
            for (auto& voice : pool) {
                action(*voice);
            }
        }
    }
}

}  // namespace

bool InitSoundManager()
{
    std::string failure;
    std::unique_ptr<platform::audio::AudioOutput> device = platform::audio::OpenAudioDevice(failure);
    if (!device) {
        log::Warning("no sound device, running without sound: " + failure);
        return false;
    }
    return InitSoundManager(std::move(device));
}

bool InitSoundManager(std::unique_ptr<platform::audio::AudioOutput> output)
{
    ReleaseSoundManager();
    if (!output) {
        return false;
    }
    auto manager = std::make_unique<SoundManager>();
    manager->output = std::move(output);
    platform::audio::Mixer& mixer = manager->output->GetMixer();
    for (int group = 0; group < kVoiceGroupCount; ++group) {
        const int counts[2] = {kVoiceGroupSizes[group].automaticVoices, kVoiceGroupSizes[group].fixedVoices};
        for (int pool = 0; pool < 2; ++pool) {
            for (int index = 0; index < counts[pool]; ++index) {
                manager->voices[group][pool].push_back(std::make_unique<SYSWIN_CSoundPlayer>(mixer));
            }
        }
    }
    g_manager = std::move(manager);
    return true;
}

void ReleaseSoundManager()
{
    if (!g_manager) {
        return;
    }
    StopAllVoices();
    // Voices give their mixer voices back before the output and its mixer go.
    for (auto& group : g_manager->voices) {
        for (auto& pool : group) {
            pool.clear();
        }
    }
    for (auto& [id, list] : g_manager->lists) {
        FreeList(list);
    }
    g_manager.reset();
}

bool HasSoundManager()
{
    return g_manager != nullptr;
}

int32_t LoadSoundFile(memory::HeapRecord* heap, std::string_view path)
{
    if (!g_manager) {
        return kNoSound;
    }
    // A file that fails still takes its index, so the sounds after it keep theirs.
    SoundList& list = g_manager->lists[kFileList];
    auto record = std::make_unique<SoundRecord>();
    record->name = MakeSoundName(path);
    record->volumeClass = kVolumeClassFile;
    const auto index = static_cast<int32_t>(list.records.size());

    size_t size = 0;
    void* block = file::ReadResourceFile(heap, path, &size);
    bool loaded = false;
    if (block) {
        const std::span<const uint8_t> bytes(static_cast<const uint8_t*>(block), size);
        loaded = ParseWave(bytes, kFormatPcmWave, path, record->wave);
        if (loaded) {
            record->fileBlock = block;
        } else {
            file::FreeFileBlock(block);
        }
    }
    list.records.push_back(std::move(record));
    return loaded ? MakeSoundId(kFileList, index) : kNoSound;
}

int LoadSoundPackage(void* block, size_t size, std::string_view name)
{
    if (!g_manager || g_manager->lists.contains(kPackageList) || !block) {
        return 0;
    }
    std::vector<SoundRecord> records;
    if (!ParseSoundPackage({static_cast<const uint8_t*>(block), size}, name, records)) {
        return 0;
    }
    SoundList& list = g_manager->lists[kPackageList];
    list.packageBlock = block;
    for (SoundRecord& record : records) {
        list.records.push_back(std::make_unique<SoundRecord>(std::move(record)));
    }
    return 1;
}

void UnloadSounds(int32_t listId)
{
    if (!g_manager) {
        return;
    }
    const auto found = g_manager->lists.find(listId);
    if (found == g_manager->lists.end()) {
        return;
    }
    SoundList& list = found->second;
    // The mixer reads samples on its own thread: no voice may keep reading
    // memory that is about to be freed.
    ForEachVoice([&list](SYSWIN_CSoundPlayer& voice) {
        const SoundRecord* playing = voice.GetPlayingRecord();
        for (const std::unique_ptr<SoundRecord>& record : list.records) {
            if (record.get() == playing) {
                voice.ReleaseSource();
                break;
            }
        }
    });
    FreeList(list);
    g_manager->lists.erase(found);
}

const SoundRecord* FindSound(int32_t soundId)
{
    if (!g_manager || soundId < 0) {
        return nullptr;
    }
    const auto found = g_manager->lists.find(soundId >> 16);
    if (found == g_manager->lists.end()) {
        return nullptr;
    }
    const size_t index = static_cast<size_t>(soundId & 0xFFFF);
    const auto& records = found->second.records;
    return index < records.size() ? records[index].get() : nullptr;
}

int32_t GetSoundCount(int32_t list)
{
    if (!g_manager) {
        return 0;
    }
    const auto found = g_manager->lists.find(list);
    return found == g_manager->lists.end() ? 0 : static_cast<int32_t>(found->second.records.size());
}

SYS_CSoundPlayer* GetSoundVoice(int group, int voiceIndex, SoundVoiceHandle* handle)
{
    if (!g_manager || group < 0 || group >= kVoiceGroupCount) {
        return nullptr;
    }
    SYSWIN_CSoundPlayer* voice = nullptr;
    int found = -1;
    if (voiceIndex == kAnyVoice) {
        const auto& pool = g_manager->voices[group][kAutomaticPool];
        for (size_t i = 0; i < pool.size(); ++i) {
            const uint32_t state = pool[i]->GetState();
            if (state == kVoiceNeverPlayed || state == kVoiceStopped) {
                voice = pool[i].get();
                found = static_cast<int>(i);
                break;
            }
        }
    } else {
        const auto& pool = g_manager->voices[group][kFixedPool];
        if (voiceIndex < 0 || static_cast<size_t>(voiceIndex) >= pool.size()) {
            log::Error("sound voice " + std::to_string(voiceIndex) + " of group " + std::to_string(group) +
                       " does not exist");
            return nullptr;
        }
        voice = pool[static_cast<size_t>(voiceIndex)].get();
        found = voiceIndex;
    }
    if (voice && handle) {
        handle->group = group;
        handle->fixedPool = voiceIndex == kAnyVoice ? 0 : 1;
        handle->index = static_cast<uint16_t>(found);
    }
    return voice;
}

SYS_CSoundPlayer* GetSoundVoice(const SoundVoiceHandle& handle)
{
    if (!g_manager || handle.group < 0 || handle.group >= kVoiceGroupCount || handle.fixedPool > 1) {
        return nullptr;
    }
    const auto& pool = g_manager->voices[handle.group][handle.fixedPool];
    return handle.index < pool.size() ? pool[handle.index].get() : nullptr;
}

void SetSoundPlayObserver(SoundPlayObserver* observer)
{
    g_playObserver = observer;
}

SYS_CSoundPlayer* PlaySound(int group, int voiceIndex, float volumeA, int32_t soundId, float volumeB, bool loop,
                            SoundVoiceHandle* handle)
{
    if (g_playObserver) g_playObserver->OnSoundPlay(group, voiceIndex, soundId, volumeA, volumeB, loop);
    const SoundRecord* record = FindSound(soundId);
    if (!record) {
        return nullptr;
    }
    SYS_CSoundPlayer* voice = GetSoundVoice(group, voiceIndex, handle);
    if (!voice) {
        return nullptr;
    }
    voice->SetVolumeClass(static_cast<uint32_t>(group));
    return voice->Play(*record, volumeA, volumeB, loop) ? voice : nullptr;
}

void StopBgmVoices()
{
    if (!g_manager) {
        return;
    }
    for (auto& pool : g_manager->voices[kBgmGroup]) {
        for (auto& voice : pool) {
            voice->Stop();
        }
    }
}

void StopAllVoices()
{
    if (!g_manager) {
        return;
    }
    ForEachVoice([](SYSWIN_CSoundPlayer& voice) { voice.Stop(); });
}

void SetBgmVolume(const SoundVoiceHandle& handle, float volumeA, float volumeB)
{
    if (SYS_CSoundPlayer* voice = GetSoundVoice(handle)) {
        voice->SetVolume(volumeA, volumeB);
    }
}

}  // namespace vesk::sound
