// The crew name list and the forbidden-word list of the static database.
#include <cstddef>

#include "framework/file/heap_block.h"
#include "framework/file/resource_file.h"
#include "framework/text/utf.h"
#include "game/services/data/static_database.h"

namespace {

constexpr const char* kActorNameFile = "script/s_actor_name.lst";
constexpr const char* kActorNgWordFile = "script/s_actor_ngword.lst";
constexpr std::size_t kNameLength = 2;

// The whole file as read, or empty (the reader logs why).
std::string ReadWholeResource(const char* name)
{
    std::size_t size = 0;
    void* block = vesk::file::ReadResourceFile(nullptr, name, &size);
    if (block == nullptr) {
        return {};
    }
    std::string bytes(static_cast<const char*>(block), size);
    vesk::file::FreeFileBlock(block);
    return bytes;
}

}  // namespace

void GAME_CStaticDatabase::LoadActorNameLists()
{
    std::string names = ReadWholeResource(kActorNameFile);
    std::string ngWords = names.empty() ? std::string() : ReadWholeResource(kActorNgWordFile);
    SetActorNameLists(std::move(names), std::move(ngWords));
}

void GAME_CStaticDatabase::SetActorNameLists(std::string names, std::string ngWords)
{
    nameList_ = std::move(names);
    ngWordList_ = std::move(ngWords);
    names_ = vesk::text::Utf8ToUtf16(nameList_);
}

std::int32_t GAME_CStaticDatabase::GetActorNameCount() const
{
    return static_cast<std::int32_t>(names_.size() / kNameLength);
}

std::u16string_view GAME_CStaticDatabase::GetActorName(std::int32_t index) const
{
    if (index < 0 || index >= GetActorNameCount()) {
        return {};
    }
    return std::u16string_view(names_).substr(static_cast<std::size_t>(index) * kNameLength, kNameLength);
}
