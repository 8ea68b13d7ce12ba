// The texts the game core shows exist in every language of the data set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/services/text/message_text.h"
#include "tests/support/message_data.h"

namespace {

std::vector<std::string> GameCoreKeys()
{
    std::vector<std::string> keys = {
        "SCENE_INIT_SAVEDATA_INIT", "SCENE_INIT_SAVEDATA_NOCREATEYESNO", "SCENE_INIT_SAVEDATA_CREATERUNNING",
        "SCENE_INIT_PREPARE_GAME", "SCENE_INIT_SAVEDATA_CREATEFAILED", "SCENE_INIT_SAVEDATA_BROKEN",
        "SCENE_INIT_NOSOUND_DEVICE", "COMMAND_YES", "COMMAND_NO", "PAUSEUI_SAVE_RUNNING", "OLIF_GET_ITEM",
        "OLIF_GO_TO_NEXT_AJITO", "OLIF_ACHIEVEMENT",
    };
    for (int i = 1; i <= 20; ++i) {
        std::string key = i < 10 ? "ACHIEVE_0" : "ACHIEVE_";
        key += std::to_string(i);
        keys.push_back(key);
        keys.push_back(key + "_DISCRIPT");
    }
    // What the key-name placeholders can turn into: the action labels and the stick's text.
    for (int row = 0; row < kKeyNamePlaceholderCount; ++row) {
        const KeyNamePlaceholder& placeholder = GetKeyNamePlaceholder(row);
        if (placeholder.kind == 0) keys.emplace_back(placeholder.messageKey);
        const std::u16string name(placeholder.placeholder.substr(std::u16string_view(u"%keyname_").size()));
        if (placeholder.kind == 1) keys.push_back("ADD_TEXT_UI_CONFIG_" + std::string(name.begin(), name.end()));
    }
    return keys;
}

TEST(GameTextsTest, EveryKeyTheGameCoreShowsIsInEveryLanguage)
{
    for (const char* language : {"japanese", "english", "korean", "traditionalChinese", "simplifiedChinese"}) {
        const std::set<std::string> keys = support::MessageKeys(language);
        for (const std::string& key : GameCoreKeys()) EXPECT_TRUE(keys.contains(key)) << key << " in " << language;
    }
}

}  // namespace
