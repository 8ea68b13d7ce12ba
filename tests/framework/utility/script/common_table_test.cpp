// The common command table: conditions, buttons, effects, animations, random waits and the services.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "framework/input/input_manager.h"
#include "framework/math/random.h"
#include "framework/utility/script/script_services.h"
#include "tests/support/framework_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/probe_script.h"

namespace vesk::utility::script {
namespace {

using support::ProbeScript;
using Marks = std::vector<std::uint32_t>;

class FakeServices : public SYS_CScriptServices {
public:
    FakeServices() { SetScriptServices(this); }
    ~FakeServices() override { SetScriptServices(nullptr); }

    bool GetPadState(std::uint32_t index, ScriptPadState& out) override
    {
        padsAsked.push_back(index);
        out = pad;
        return hasPad;
    }
    AnimationHandle FindAnimation(std::uint64_t setKey, std::uint32_t id) override
    {
        lookups.emplace_back(setKey, id);
        return id == 7 ? &animation : nullptr;
    }
    void PlaySound(std::uint32_t soundId, float volume) override { sounds.emplace_back(soundId, volume); }
    std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                              float scale) override
    {
        spawned.push_back(std::string(name));
        lastPosition[0] = position[0];
        lastRotation[1] = rotationDegrees[1];
        lastScale = scale;
        return 40 + spawned.size();
    }
    void SetEffectParameter(std::uint64_t handle, std::uint32_t value) override { parameters.emplace_back(handle, value); }

    bool hasPad = true;
    ScriptPadState pad;
    int animation = 0;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> lookups;
    std::vector<std::pair<std::uint32_t, float>> sounds;
    std::vector<std::uint32_t> padsAsked;
    std::vector<std::string> spawned;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> parameters;
    float lastPosition[3] = {};
    float lastRotation[3] = {};
    float lastScale = 0.0f;
};

TEST(CommonTable, ConditionalJumpsCombineTestsByAllOrAnyAndResetThemAfterwards)
{
    // Held mask 0x1 is held, 0x2 is not.
    const char* source = R"(
.entry 1
"start":
    test.held 0x1
    test.held %s
    jump_if %s, taken
    probe.mark 0
    test.held 0x2
    goto_if not_any, second
    halt
second:
    probe.mark 2
    halt
taken:
    probe.mark 1
    halt
)";
    struct Case {
        const char* mask;
        const char* condition;
        Marks marks;
    };
    const Case cases[] = {
        {"0x1", "all", {1}}, {"0x2", "all", {0, 2}}, {"0x2", "any", {1}},
        {"0x4", "not_all", {1}}, {"0x1", "not_any", {0, 2}},
    };
    FakeServices services;
    services.pad.held = 0x1;
    for (const Case& c : cases) {
        char text[512];
        std::snprintf(text, sizeof text, source, c.mask, c.condition);
        ProbeScript script(text);
        script.Start(u"start");
        script.engine.Update();
        EXPECT_EQ(script.Marks(), c.marks) << c.mask << " " << c.condition;
        EXPECT_EQ(script.Main().conditionAnd, 1u);
        EXPECT_EQ(script.Main().conditionOr, 0u);
    }
}

TEST(CommonTable, ButtonTestsReadTheirSetAndWithoutAPadFailAndLeaveOr)
{
    FakeServices services;
    services.pad.pressed = 0x100;
    services.pad.released = 0x10;
    services.pad.repeat = 0x20;
    services.pad.rightStick[1] = 0.5f;
    ProbeScript script(R"(
.entry 1
"start":
    test.pressed 0x300
    test.released 0x10
    test.repeat 0x20
    test.stick 1
    goto_if all, yes
    halt
yes:
    probe.mark 1
    test.stick 0
    goto_if not_all, no
    halt
no:
    probe.mark 2
    test.pressed 0x100
    probe.yield
    test.held 0x100
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1, 2}));
    EXPECT_EQ(script.Main().conditionOr, 1u);

    services.hasPad = false;
    script.engine.Update();
    EXPECT_EQ(script.Main().conditionAnd, 0u);
    EXPECT_EQ(script.Main().conditionOr, 1u);
}

TEST(CommonTable, WaitForDecideMovesOnOnlyWhenButton8Or9IsPressed)
{
    FakeServices services;
    ProbeScript script(".entry 1\n\"start\":\n    wait.decide\n    probe.mark 1\n    halt\n");
    script.Start(u"start");
    services.pad.held = 0x300;
    script.engine.Update();
    services.hasPad = false;
    script.engine.Update();
    EXPECT_TRUE(script.Marks().empty());
    services.hasPad = true;
    services.pad.pressed = 0x200;
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1}));
}

TEST(CommonTable, EffectCommandsSpawnWithTheThreadsEffectStateAndThenResetIt)
{
    FakeServices services;
    ProbeScript script(R"(
.entry 1
"start":
    effect.position 3.5, 0, 0
    effect.rotation 0, 90, 0
    effect.scale 2, 3, 4
    effect.param 9
    effect.spawn "smoke"
    effect.send_param 11
    effect.spawn "dust"
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(services.spawned, std::vector<std::string>({"smoke", "dust"}));
    EXPECT_FLOAT_EQ(services.lastPosition[0], 0.0f);  // reset after the first spawn
    EXPECT_FLOAT_EQ(services.lastScale, 1.0f);
    using Pair = std::pair<std::uint64_t, std::uint32_t>;
    EXPECT_EQ(services.parameters, std::vector<Pair>({{41, 9}, {41, 11}, {42, kNoIndex}}));
    EXPECT_EQ(script.Main().effectHandle, 42u);

    ProbeScript first(R"(
.entry 1
"start":
    effect.position 3.5, 0, 0
    effect.rotation 0, 90, 0
    effect.scale 2, 3, 4
    effect.spawn "smoke"
    halt
)");
    first.Start(u"start");
    first.engine.Update();
    EXPECT_FLOAT_EQ(services.lastPosition[0], 3.5f);
    EXPECT_NEAR(services.lastRotation[1], 90.0f, 1e-4f);
    EXPECT_FLOAT_EQ(services.lastScale, 2.0f);
}

TEST(CommonTable, EffectNameWithoutTerminatorStopsTheThread)
{
    std::vector<std::uint8_t> bytes = support::AssembleProbeScript(".entry 1\n    effect.spawn \"abc\"\n");
    const std::size_t record = support::CommandOffset(bytes, 0, 0);
    const std::uint32_t blockSize =
        support::ReadWord(bytes, support::EntryOffset(bytes, 0) + script_package::kEntryBlockSizeOffset);
    support::WriteWord(bytes, record + script_package::kCommandArgumentOffset, blockSize - 1);
    bytes[support::BlockOffset(bytes, 0) + blockSize - 1] = 'x';
    support::LogCapture capture;
    FakeServices services;
    ProbeScript script(bytes);
    script.engine.JumpToEntry(0);
    script.engine.Update();
    EXPECT_TRUE(services.spawned.empty());
    EXPECT_FALSE(script.Main().running);
    EXPECT_TRUE(capture.Contains("ends at the block end"));
}

TEST(CommonTable, WithoutInputSoundOrParticlesTheCommandsDoNothingAndGoOn)
{
    ProbeScript script(R"(
.entry 1
"start":
    sound.play 0x10002, 0.5
    effect.spawn "smoke"
    test.held 0x1
    probe.mark 1
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), Marks({1}));
    EXPECT_EQ(script.Main().effectHandle, 0u);
    EXPECT_EQ(script.Main().conditionAnd, 0u);

    FakeServices services;
    script.Start(u"start");
    script.engine.Update();
    using Pair = std::pair<std::uint32_t, float>;
    EXPECT_EQ(services.sounds, std::vector<Pair>({{0x10002, 0.5f}}));
    EXPECT_EQ(services.padsAsked, std::vector<std::uint32_t>({0}));
}

class FakeTarget : public SYS_CScriptTarget {
public:
    void PlayAnimation(AnimationHandle animation, std::uint32_t startFrame, bool loop, std::uint32_t blendKind,
                       float blendTime) override
    {
        played.push_back({animation, startFrame, loop, blendKind, blendTime});
        ended = false;
    }
    bool IsAnimationEnd() override { return ended; }
    std::uint32_t GetAnimationFrame() override { return frame; }
    void ScriptCall9(std::uint32_t value) override { calls.push_back(900 + value); }
    void ScriptCall10(std::uint32_t value) override { calls.push_back(1000 + value); }
    std::uint64_t GetAnimationSetKey(std::uint32_t slot) override { return slot < 2 ? keys[slot] : 0; }
    void SetAnimationSetKey(std::uint32_t slot, std::uint64_t key) override
    {
        if (slot < 2) {
            keys[slot] = key;
        }
    }

    struct Play {
        AnimationHandle animation;
        std::uint32_t startFrame;
        bool loop;
        std::uint32_t blendKind;
        float blendTime;
    };
    std::vector<Play> played;
    std::vector<std::uint32_t> calls;
    std::uint64_t keys[2] = {};
    bool ended = false;
    std::uint32_t frame = 0;
};

TEST(CommonTable, AnimationCommandsDriveTheTargetThroughTheRegistry)
{
    FakeServices services;
    FakeTarget target;
    ProbeScript script(R"(
.entry 1
"start":
    anim.set 1, 0xABC
    anim.play 1, 7, 1
    anim.wait_end
    anim.play_smooth_from 1, 8, 12, 0
    anim.wait_frame 30
    anim.play_blend 0, 7, 2, 0, 3, 0.25
    target.call9 1
    target.call10 2
    halt
)");
    script.engine.SetTarget(&target);
    script.Start(u"start");
    script.engine.Update();
    ASSERT_EQ(target.played.size(), 1u);
    EXPECT_EQ(target.played[0].animation, &services.animation);
    EXPECT_TRUE(target.played[0].loop);
    EXPECT_EQ(services.lookups.front(), (std::pair<std::uint64_t, std::uint32_t>(0xABC, 7)));

    target.ended = true;
    script.engine.Update();
    ASSERT_EQ(target.played.size(), 2u);
    EXPECT_EQ(target.played[1].animation, nullptr);  // id 8 is not registered
    EXPECT_EQ(target.played[1].startFrame, 12u);
    EXPECT_EQ(target.played[1].blendKind, 5u);
    EXPECT_FLOAT_EQ(target.played[1].blendTime, 0.3f);

    target.frame = 30;
    script.engine.Update();
    ASSERT_EQ(target.played.size(), 3u);
    EXPECT_EQ(target.played[2].blendKind, 3u);
    EXPECT_FLOAT_EQ(target.played[2].blendTime, 0.25f);
    EXPECT_EQ(target.calls, std::vector<std::uint32_t>({901, 1002}));

    // Without a target the commands are skipped.
    ProbeScript untargeted(".entry 1\n\"start\":\n    anim.play 0, 7, 0\n    anim.wait_end\n    probe.mark 1\n    halt\n");
    untargeted.Start(u"start");
    untargeted.engine.Update();
    EXPECT_EQ(untargeted.Marks(), Marks({1}));
}

using FrameworkAnimations = support::FrameworkFixture;

TEST_F(FrameworkAnimations, PlayCommandsFindTheAnimationsTheManagerRegistered)
{
    const int walk = 0;
    const int run = 0;
    manager->animationRegistry.Register(0xABC, 7, &walk);
    manager->animationRegistry.Register(0xABC, 8, &run);
    manager->animationRegistry.Register(0x1'0000'0ABC, 9, &run);  // out of reach: scripts set 32-bit keys
    FakeTarget target;
    ProbeScript script(R"(
.entry 1
"start":
    anim.set 1, 0xABC
    anim.play 1, 7, 1
    anim.play_smooth 1, 8, 0
    anim.play_blend 1, 8, 4, 1, 2, 0.5
    anim.play 0, 7, 0
    anim.play 1, 9, 0
    halt
)");
    script.engine.SetTarget(&target);
    script.Start(u"start");
    script.engine.Update();
    ASSERT_EQ(target.played.size(), 5u);
    EXPECT_EQ(target.played[0].animation, &walk);
    EXPECT_EQ(target.played[1].animation, &run);
    EXPECT_EQ(target.played[1].blendKind, 5u);
    EXPECT_EQ(target.played[2].animation, &run);
    EXPECT_EQ(target.played[2].startFrame, 4u);
    EXPECT_EQ(target.played[3].animation, nullptr);  // set slot 0 holds key 0
    EXPECT_EQ(target.played[4].animation, nullptr);
}

}  // namespace
}  // namespace vesk::utility::script

namespace vesk::utility::script {
namespace {

TEST(CommonTableRandom, SeedCommandKeepsItsSeedAgainstTheClockSeed)
{
    support::ProbeScript script(".entry 1\n\"start\":\n    random.seed 5489\n    halt\n");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(math::Rand(), 15196);  // the first draw of the reference sequence
}

TEST(CommonTableRandom, RandomWaitWaitsTheDrawnNumberOfFrames)
{
    for (const char* range : {"3, 3", "2, 4", "0, 0"}) {
        support::ProbeScript script(std::string(".entry 1\n\"start\":\n    wait.random_range ") + range +
                                    "\n    wait.random\n    probe.mark 1\n    halt\n");
        script.Start(u"start");
        int frames = 0;
        while (script.Marks().empty() && frames < 10) {
            script.engine.Update();
            ++frames;
        }
        const std::uint32_t target = script.Main().randomWaitTarget;
        EXPECT_EQ(static_cast<std::uint32_t>(frames), target + 1) << range;
        if (std::string(range) == "2, 4") {
            EXPECT_TRUE(target >= 2 && target <= 4) << target;
        } else {
            EXPECT_EQ(target, static_cast<std::uint32_t>(range[0] - '0'));
        }
    }
}

}  // namespace
}  // namespace vesk::utility::script

namespace vesk::utility::script {
namespace {

TEST(FrameworkScriptServices, ReadPadRecordsOfTheInputManager)
{
    ScriptPadState pad;
    EXPECT_FALSE(GetFirstPadState(pad));  // no input yet
    input::CreateInput();
    input::PadInput* record = input::GetPadInput(2);
    ASSERT_NE(record, nullptr);
    record->buttons.pressed = 0x200;
    record->axes.rightY = -0.5f;
    ASSERT_TRUE(GetFrameworkScriptServices().GetPadState(2, pad));
    EXPECT_EQ(pad.pressed, 0x200u);
    EXPECT_FLOAT_EQ(pad.rightStick[1], -0.5f);
    EXPECT_FALSE(GetFrameworkScriptServices().GetPadState(4, pad));

    input::GetPadInput(0)->buttons.pressed = 0x100;
    support::ProbeScript script(".entry 1\n\"start\":\n    wait.decide\n    probe.mark 1\n    halt\n");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), std::vector<std::uint32_t>({1}));
    input::ReleaseInput();
}

}  // namespace
}  // namespace vesk::utility::script

namespace vesk::utility::script {
namespace {

TEST(CommonTableRandom, ExtremeRandomWaitRangesDoNotOverflow)
{
    support::ProbeScript script(R"(
.entry 1
"start":
    wait.random_range -2147483648, 2147483647
    wait.random_range 2147483647, -2147483648
    probe.mark 1
    halt
)");
    script.Start(u"start");
    script.engine.Update();
    EXPECT_EQ(script.Marks(), std::vector<std::uint32_t>({1}));
}

}  // namespace
}  // namespace vesk::utility::script
