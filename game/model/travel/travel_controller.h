// The travel controller: the current route, the location at a route end, the drive, stall, arrival, route requests and music.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "framework/memory/heaps.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/world/background_view.h"

// Where the ship stands while it is at a route end: the hideout's 4-character id and its position
// in the static database's hideout map (-1 when the map does not hold it).
struct LocationRecord {
    std::uint32_t hideoutId = kNoId;
    std::int32_t hideoutIndex = -1;
    // The arrival was announced: once shown, the notice no longer blocks a second one.
    std::uint32_t arrivalAnnounced = 0;
};

// The route music and the battle music of the enemies in reach.
struct GAME_CTravelMusicState {
    static constexpr int kSlotCount = 8;
    static constexpr std::int32_t kMaxFrames = 6000;
    std::int32_t state = 0;
    std::int32_t requested = 0;
    std::int32_t frames = 0;
    std::int32_t currentId = -1;
    std::array<std::int32_t, kSlotCount> battleSlots{-1, -1, -1, -1, -1, -1, -1, -1};
};

// The game world's member that moves the ship along the world map. Route distances are whole
// units, 0 at the route record's start location; the ship travels forward (start to end) or
// backward, and the route manager counts its position from the departure.
class GAME_CTravelController : public vesk::memory::MainHeapObject {
public:
    // Music states: route music, fading out for battle, battle, battle over, fading in, route
    // music changes, fading in after a change.
    enum MusicState : std::int32_t {
        kMusicRoute = 0,
        kMusicFadeForBattle = 1,
        kMusicBattle = 2,
        kMusicBattleOver = 3,
        kMusicFadeIn = 4,
        kMusicChange = 5,
        kMusicChangeFadeIn = 6,
    };

    GAME_CTravelController() = default;
    ~GAME_CTravelController();
    GAME_CTravelController(const GAME_CTravelController&) = delete;
    GAME_CTravelController& operator=(const GAME_CTravelController&) = delete;

    // The location becomes the hideout of the id; its visited bit is set in the working slot.
    bool SetCurrentLocation(const std::uint32_t* hideoutId);
    const LocationRecord* GetLocation() const { return location.get(); }
    // Without a location: the route's destination once the ship has moved off its start, else the
    // start (nothing without a route).
    void EnsureLocationAtRouteEnd();
    // The travel part of a slot record: route, background and music.
    void LoadFromSlot(std::span<std::uint8_t> slot);
    // After a load: the battle music of an enemy in reach plays on.
    void RestoreBattleMusic();
    // One simulation step: drive, stall, departure and arrival, route requests, scan countdowns.
    void Step();
    void TravelStep();
    // The position after moving by the speed (or being pushed back).
    std::int32_t Advance(float speed);
    // One step of the route script; false when no script runs.
    bool ProcessRouteRequests();
    // Once a frame: battle music from the enemies in reach, the music, the hideouts' script frames.
    void UpdateFrame();
    void RequestBattleMusic(std::int32_t id);
    void UpdateMusic();
    // The route script's spawn commands act only when this holds.
    bool CanSpawnOnRoute() const;

    // The route music for the route's progress: word 27 of the record from its switch point on,
    // else word 26, else 1.
    std::int32_t RouteMusicAt(std::int64_t travelled) const;
    void ResetMusicState();
    // The music the field takes up again when a slot stores none: the battle's during a fight,
    // else the road's own, the desert before any road has chosen one.
    std::uint32_t FieldMusic() const;
    // The music the field takes up again after the title or the arcade game: the one stored with
    // the working slot, else the field's own.
    std::uint32_t ResumedMusic() const;

    std::unique_ptr<GAME_CRouteManager> routeManager;
    std::unique_ptr<LocationRecord> location;
    GAME_CTravelMusicState music;
    std::int32_t heading = 1;  // 1 from the record's start location to its end, 0 the reverse
    float pushBackSpeed = 0.0f;
    std::int32_t pushBackFrames = 0;
    std::int32_t enemyInReach = 0;
    std::uint32_t bgmLock = 0;  // while set the hideout screens leave the music alone
    // The knock-back an enemy's hit gives the ship: its ratio and its length.
    std::int32_t knockBackRatio = 0;
    std::int32_t knockBackLength = 0;

private:
    void PostArrivalNotice();
    void RequestDepartureSave();
    void StepScanCountdowns();
    bool AnyEnemyInReach(std::int32_t* firstMusic) const;
};

// Replaces the current route by a new route manager for the id, travelled forward or backward.
// savedBlock and savedObjects are empty except when a slot is applied. Always false.
bool StartRoute(GAME_CTravelController& controller, const std::uint32_t* routeId, bool forward,
                RouteSaveBlock savedBlock, BackgroundSaveList savedObjects);
