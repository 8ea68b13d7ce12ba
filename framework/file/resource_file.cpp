// The resource folder, and resource files read whole into a heap block.
#include "framework/file/resource_file.h"

#include <cstdint>
#include <limits>
#include <mutex>

#include "framework/file/heap_block.h"
#include "framework/log/log.h"
#include "platform/file_system.h"

namespace vesk::file {
namespace {

// Worker threads load resources too, so the folder is read under a lock.
std::mutex g_folderMutex;
std::string g_folder(kResourceFolder);

}  // namespace

void SetResourceFolder(std::string_view folder)
{
    std::lock_guard lock(g_folderMutex);
    g_folder = folder;
}

std::string ResourcePath(std::string_view name)
{
    std::lock_guard lock(g_folderMutex);
    std::string path = g_folder;
    path += '/';
    path += name;
    return path;
}

void* ReadResourceFile(memory::HeapRecord* heap, std::string_view name, std::size_t* outSize)
{
    const std::string path = ResourcePath(name);
    platform::FileReader reader;
    switch (reader.Open(path)) {
    case platform::FileReader::OpenResult::Opened:
        break;
    case platform::FileReader::OpenResult::NotFound:
        log::Warning("resource not found: " + path);
        return nullptr;
    case platform::FileReader::OpenResult::Failed:
        log::Error("cannot open resource " + path + ": " + reader.LastError());
        return nullptr;
    }
    const std::optional<std::uint64_t> size = reader.Size();
    if (!size) {
        log::Error("cannot read resource " + path + ": " + reader.LastError());
        return nullptr;
    }
    if (*size == 0) {
        // Nothing to parse, so no reader would say why its data is missing.
        log::Warning("resource " + path + " is empty");
        if (outSize != nullptr) {
            *outSize = 0;
        }
        return nullptr;
    }
    void* block = nullptr;
    if (*size <= std::numeric_limits<std::size_t>::max()) {
        block = AllocateFileBlock(heap, static_cast<std::size_t>(*size));
    }
    if (block == nullptr) {
        log::Error("no memory for resource " + path + " (" + std::to_string(*size) + " bytes)");
        return nullptr;
    }
    if (!reader.ReadExact(block, *size)) {
        log::Error("cannot read resource " + path + ": " + reader.LastError());
        FreeFileBlock(block);
        return nullptr;
    }
    if (outSize != nullptr) {
        *outSize = static_cast<std::size_t>(*size);
    }
    return block;
}

bool ResourceFileOpens(std::string_view name)
{
    platform::FileReader reader;
    return reader.Open(ResourcePath(name)) == platform::FileReader::OpenResult::Opened;
}

}  // namespace vesk::file
