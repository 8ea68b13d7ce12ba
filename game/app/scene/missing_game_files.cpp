// The files the game cannot run without that were found missing or refused.
#include "game/app/scene/missing_game_files.h"

#include <mutex>

namespace {

std::mutex g_lock;
std::string g_first;

}  // namespace

void ReportMissingGameFile(std::string_view path)
{
    const std::lock_guard<std::mutex> hold(g_lock);
    if (g_first.empty()) g_first = path;
}

std::string FirstMissingGameFile()
{
    const std::lock_guard<std::mutex> hold(g_lock);
    return g_first;
}

void ClearMissingGameFiles()
{
    const std::lock_guard<std::mutex> hold(g_lock);
    g_first.clear();
}
