// The speech-balloon pictures: each line set in the fonts and framed in a balloon with a tail.
#include "tools/spritegen/balloon_art.h"

#include <algorithm>
#include <iostream>
#include <set>
#include <string_view>

#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/lettering.h"
#include "tools/spritegen/pixel_art.h"

namespace spritegen {
namespace {

constexpr int kFontPixels = 11;
constexpr int kLineHeight = 13;
constexpr int kPadX = 5;
constexpr int kPadY = 3;
constexpr int kTail = 4;

constexpr Rgba kOutline = Hex(0x2A2630);
constexpr Rgba kPaper = Hex(0xFFF8E8);
constexpr Rgba kPaperShade = Hex(0xE8DCC4);
constexpr Rgba kInk = Hex(0x3A2E3A);

// A line as the three languages say it. The static database's balloon groups
// name these pictures by their sprite index; the comments give the groups.
constexpr tools::Wording kLines[] = {
    {u"おなかすいた…", u"So hungry...", u"배고파…"},           // 01 starving
    {u"ごはんまだ？", u"Food, anyone?", u"밥 아직이야?"},       // 02 starving
    {u"もう動けない", u"I'm beat...", u"못 움직이겠어"},        // 03 exhausted
    {u"ねむい…", u"So sleepy...", u"졸려…"},                    // 04 exhausted
    {u"たすけて！", u"Help me!", u"살려줘!"},                   // 05 critical
    {u"いたた…", u"Ouch...", u"아야…"},                         // 06 hurt
    {u"よろしく！", u"Hello, all!", u"잘 부탁해!"},             // 07 newborn
    {u"おいしかった！", u"That was tasty!", u"맛있었다!"},      // 08 fed
    {u"なにか見つけた！", u"Found something!", u"뭔가 찾았다!"},  // 09 item found
    {u"ひとやすみ", u"Break time", u"잠깐 쉬자"},               // 10 break
    {u"なおすぞ！", u"Fixing it!", u"고친다!"},                 // 11 repair
    {u"トンカン", u"Bang, bang!", u"뚝딱뚝딱"},                 // 12 building
    {u"ここで働くよ", u"I work here now", u"여기서 일할게"},    // 13 bound to a room
    {u"自由だ！", u"Free at last!", u"자유다!"},                // 14 released
    {u"げんき百倍！", u"Full of pep!", u"기운 넘쳐!"},          // 15 well fed (buff)
    {u"やるぞー！", u"Let's do this!", u"해 보자!"},            // 16 motivated (buff)
    {u"よく寝た！", u"Well rested!", u"푹 잤다!"},              // 17 rested (buff)
    {u"エンジン快調！", u"Engine's singing!", u"엔진 쌩쌩!"},   // 18 engine fever (buff)
    {u"へっくしゅん", u"Achoo!", u"에취!"},                     // 19 cold (debuff)
    {u"おなかいたい…", u"My tummy...", u"배 아파…"},            // 20 upset stomach (debuff)
    {u"足がいたい", u"My paw hurts", u"발이 아파"},             // 21 sprained paw (debuff)
    {u"あつい…", u"So hot...", u"더워…"},                       // 22 sand fever (debuff)
    {u"いまいち…", u"Not great...", u"별로야…"},                // 23 a meter low
    {u"まあまあ", u"Doing okay", u"그럭저럭"},                  // 24 a meter half full
    {u"絶好調！", u"Feeling great!", u"최고야!"},               // 25 a meter full
};

PixelArt Balloon(tools::GlyphRasterizer& rasterizer, std::u16string_view text)
{
    const TextRun run = SetText(rasterizer, text);
    const int width = std::max(run.width, 12) + kPadX * 2;
    const int bodyHeight = kLineHeight + kPadY * 2;
    PixelArt art(width, bodyHeight + kTail);
    art.OutlinedRoundFill(0, 0, width, bodyHeight, kOutline, kPaper);
    art.Fill(2, bodyHeight - 3, width - 4, 1, kPaperShade);
    // The tail, pointing down at the speaker.
    const int centre = width / 2;
    for (int row = 0; row < kTail; ++row) {
        const int half = kTail - row;
        art.Fill(centre - half, bodyHeight - 1 + row, half * 2, 1, kOutline);
        if (half > 1) art.Fill(centre - half + 1, bodyHeight - 1 + row, half * 2 - 2, 1, kPaper);
    }
    DrawText(art, run, (width - run.width) / 2, kPadY, kInk);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawBalloonSprites(const std::vector<std::string>& fontFiles)
{
    std::set<char16_t> codes;
    for (const tools::Wording& line : kLines) AddCodes(codes, line);
    tools::GlyphRasterizer rasterizer;
    if (!PrepareRasterizer(rasterizer, fontFiles, kFontPixels, kLineHeight, codes)) {
        std::cerr << "error: the balloons need a font\n";
        return {};
    }
    std::vector<tools::NamedImage> sprites;
    int number = 1;
    for (const tools::Wording& line : kLines) {
        const std::string name = "mesballoon_" + TwoDigits(number++);
        for (int script = 0; script < tools::kScripts; ++script) {
            sprites.push_back(Named(name + tools::kScriptSuffixes[script], Balloon(rasterizer, tools::InScript(line, script))));
        }
    }
    return sprites;
}

}  // namespace spritegen
