// Damaged or misplaced packages of the data set are refused, each with a log line naming the file and why.
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/graphics/sprite_package.h"
#include "framework/memory/heaps.h"
#include "framework/sound/sound_package.h"
#include "framework/utility/script_package/script_package.h"
#include "game/model/script/script_package.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "platform/little_endian.h"
#include "tests/support/built_resources.h"
#include "tests/support/log_capture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Package {
    std::string file;
    // Loads the bytes as the game does; true when they were taken.
    std::function<bool(const Bytes&)> load;
};

// The package in a block of the main heap, which a script package's manager takes over.
void* HeapCopy(const Bytes& bytes)
{
    void* image = vesk::memory::MainHeapAlloc(std::max<std::size_t>(bytes.size(), 1));
    if (!bytes.empty()) std::memcpy(image, bytes.data(), bytes.size());
    return image;
}

Package GameScripts(int kind)
{
    return {std::string(ScriptPackageFile(kind)),
            [kind](const Bytes& bytes) { return LoadScriptPackageImage(kind, HeapCopy(bytes), bytes.size()); }};
}

Package OtherScripts(const std::string& file, std::uint32_t kind)
{
    return {file, [file, kind](const Bytes& bytes) {
                vesk::utility::script_package::UTL_CManager manager;
                return manager.ParseScriptPackage(HeapCopy(bytes), bytes.size(), file, kind) == 1;
            }};
}

class PackageRefusalTest : public ::testing::Test {
protected:
    void SetUp() override { CreateStaticDatabase(); }
    void TearDown() override
    {
        DestroyScriptPackageHolder();
        DestroyStaticDatabase();
    }
};

TEST_F(PackageRefusalTest, AZeroedHeaderAnotherKindInItsPlaceACutFileOrAFlippedBitIsRefusedNamingTheFile)
{
    const std::vector<Package> packages = {
        GameScripts(kScriptPackageRoom),
        GameScripts(kScriptPackageActor),
        GameScripts(kScriptPackageRoute),
        GameScripts(kScriptPackageEnemy),
        OtherScripts("script/static_database.pac", MakeTag("STAT")),
        OtherScripts("script/particle.pac", vesk::utility::script_package::kEffectKind),
        {"sound/se_package.pac",
         [](const Bytes& bytes) {
             std::vector<vesk::sound::SoundRecord> records;
             return vesk::sound::ParseSoundPackage(bytes, "sound/se_package.pac", records);
         }},
        {"ship/ship/shp3/shp3.pac",
         [](const Bytes& bytes) {
             return vesk::resource::ReadSpritePackageChunks(bytes, "ship/ship/shp3/shp3.pac").has_value();
         }},
    };
    for (std::size_t i = 0; i < packages.size(); ++i) {
        const Package& package = packages[i];
        const Bytes good = support::ReadBuiltResource(package.file);
        ASSERT_GT(good.size(), 20u) << package.file;
        {
            support::LogCapture log;
            EXPECT_TRUE(package.load(good)) << package.file << ::testing::PrintToString(log.Lines());
        }
        Bytes zeroed = good;
        std::fill_n(zeroed.begin(), 20, std::uint8_t{0});
        // Each script package swaps with the next one, the sound package with a sprite package and back.
        const Bytes other = support::ReadBuiltResource(packages[(i + 1) % packages.size()].file);
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
        std::vector<std::pair<const char*, Bytes>> damaged = {
            {"zeroed header", zeroed}, {"another kind", other}, {"cut in half", cut}};
        if (package.file.starts_with("script/")) {
            // A bit flipped in the first command of the first entry's block.
            Bytes flipped = good;
            const std::uint32_t block = platform::ReadU32(good.data() + 20 + 12);
            flipped[block + 20 + 2] ^= 0x04;
            damaged.emplace_back("a bit flipped in a block", flipped);
        }
        for (const auto& [damage, bytes] : damaged) {
            support::LogCapture log;
            EXPECT_FALSE(package.load(bytes)) << package.file << ": " << damage;
            EXPECT_EQ(log.Lines().size(), 1u) << package.file << ": " << damage << ::testing::PrintToString(log.Lines());
            EXPECT_TRUE(log.Contains(package.file)) << package.file << ": " << damage;
        }
    }
}

}  // namespace
