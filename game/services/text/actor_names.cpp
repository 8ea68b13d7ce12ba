// Crew names: random ones from the name list, a newborn's from its parents', and in Latin letters.
#include "game/services/text/actor_names.h"

#include <array>
#include <vector>

#include "framework/math/random.h"
#include "framework/text/ng_word.h"
#include "game/services/text/language.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"

namespace {

constexpr int kTries = 10;

bool Accepted(const GAME_CStaticDatabase& database, std::u16string_view name)
{
    return !vesk::text::IsNgWordName(name, database.GetActorNgWordList());
}

struct Romanized {
    char16_t kana;
    std::u16string_view letters;
};

constexpr std::array<Romanized, 74> kRomanization = {{
    {u'ア', u"A"},  {u'イ', u"I"},  {u'ウ', u"U"},  {u'エ', u"E"},  {u'オ', u"O"},
    {u'カ', u"KA"}, {u'キ', u"KI"}, {u'ク', u"KU"}, {u'ケ', u"KE"}, {u'コ', u"KO"},
    {u'サ', u"SA"}, {u'シ', u"SI"}, {u'ス', u"SU"}, {u'セ', u"SE"}, {u'ソ', u"SO"},
    {u'タ', u"TA"}, {u'チ', u"TI"}, {u'ツ', u"TU"}, {u'テ', u"TE"}, {u'ト', u"TO"},
    {u'ナ', u"NA"}, {u'ニ', u"NI"}, {u'ヌ', u"NU"}, {u'ネ', u"NE"}, {u'ノ', u"NO"},
    {u'ハ', u"HA"}, {u'ヒ', u"HI"}, {u'フ', u"HU"}, {u'ヘ', u"HE"}, {u'ホ', u"HO"},
    {u'マ', u"MA"}, {u'ミ', u"MI"}, {u'ム', u"MU"}, {u'メ', u"ME"}, {u'モ', u"MO"},
    {u'ヤ', u"YA"}, {u'ユ', u"YU"}, {u'ヨ', u"YO"},
    {u'ラ', u"RA"}, {u'リ', u"RI"}, {u'ル', u"RU"}, {u'レ', u"RE"}, {u'ロ', u"RO"},
    {u'ガ', u"GA"}, {u'ギ', u"GI"}, {u'グ', u"GU"}, {u'ゲ', u"GE"}, {u'ゴ', u"GO"},
    {u'ザ', u"ZA"}, {u'ジ', u"ZI"}, {u'ズ', u"ZU"}, {u'ゼ', u"ZE"}, {u'ゾ', u"ZO"},
    {u'ダ', u"DA"}, {u'ヂ', u"DI"}, {u'ヅ', u"DU"}, {u'デ', u"DE"}, {u'ド', u"DO"},
    {u'パ', u"PA"}, {u'ピ', u"PI"}, {u'プ', u"PU"}, {u'ペ', u"PE"}, {u'ポ', u"PO"},
    {u'バ', u"BA"}, {u'ビ', u"BI"}, {u'ブ', u"BU"}, {u'ベ', u"BE"}, {u'ボ', u"BO"},
    {u'ワ', u"WA"}, {u'ヰ', u"WI"}, {u'ヱ', u"WE"}, {u'ヲ', u"WO"}, {u'ン', u"NN"}, {u'ヴ', u"VU"},
}};

}  // namespace

std::u16string PickRandomActorName()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return {};
    const std::int32_t count = database->GetActorNameCount();
    if (count <= 0) return {};
    if (database->GetActorNgWordList().empty()) {
        return std::u16string(database->GetActorName(vesk::math::RandInt(count)));
    }
    for (int attempt = 0; attempt < kTries; ++attempt) {
        const std::u16string_view name = database->GetActorName(vesk::math::RandInt(count));
        if (Accepted(*database, name)) return std::u16string(name);
    }
    const std::int32_t last = vesk::math::RandInt(count);
    if (Accepted(*database, database->GetActorName(last))) return std::u16string(database->GetActorName(last));
    for (std::int32_t step = 1; step < count; ++step) {
        const std::u16string_view name = database->GetActorName((last + step) % count);
        if (Accepted(*database, name)) return std::u16string(name);
    }
    return {};
}

std::u16string MakeChildActorName(std::u16string_view parentA, std::u16string_view parentB)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr || database->GetActorNameCount() <= 0) return PickRandomActorName();
    std::array<char16_t, 4> letters{};
    for (std::size_t i = 0; i < 2; ++i) {
        letters[i] = i < parentA.size() ? parentA[i] : u'\0';
        letters[2 + i] = i < parentB.size() ? parentB[i] : u'\0';
    }
    // The run of names that begin with each letter: {first position, length}.
    std::array<std::pair<std::int32_t, std::int32_t>, 4> runs{};
    const std::int32_t count = database->GetActorNameCount();
    for (std::size_t i = 0; i < letters.size(); ++i) {
        std::int32_t first = 0;
        while (first < count && database->GetActorName(first)[0] != letters[i]) ++first;
        std::int32_t end = first;
        while (end < count && database->GetActorName(end)[0] == letters[i]) ++end;
        runs[i] = {first, end - first};
    }
    for (int attempt = 0; attempt < kTries; ++attempt) {
        const auto& run = runs[static_cast<std::size_t>(vesk::math::RandInt(4))];
        if (run.second <= 0) continue;
        const std::u16string_view name = database->GetActorName(run.first + vesk::math::RandInt(run.second));
        if (Accepted(*database, name)) return std::u16string(name);
    }
    return PickRandomActorName();
}

std::u16string RomanizeKanaPair(std::u16string_view name)
{
    std::u16string out;
    const std::u16string_view pair = name.substr(0, std::min<std::size_t>(name.size(), 2));
    const GAME_CPlayerData* player = GetPlayerData();
    if (player != nullptr && player->language == kLanguageJapanese) return std::u16string(pair);
    for (char16_t kana : pair) {
        for (const Romanized& entry : kRomanization) {
            if (entry.kana == kana) {
                out += entry.letters;
                break;
            }
        }
    }
    return out;
}
