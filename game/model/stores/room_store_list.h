// The list both kinds of room store live in: one store per room number, freed places reused.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// Owns its stores. Store must offer GetRoomIndex(), GetRoom() and SetRoomIndex(index).
template <typename Store>
class RoomStoreList {
public:
    RoomStoreList() = default;
    RoomStoreList(const RoomStoreList&) = delete;
    RoomStoreList& operator=(const RoomStoreList&) = delete;
    ~RoomStoreList() { Clear(); }

    // The store bound to the room number; null when none.
    Store* Find(std::int32_t roomIndex) const
    {
        for (Store* store : stores_) {
            if (store != nullptr && store->GetRoomIndex() == roomIndex) return store;
        }
        return nullptr;
    }
    // The store bound to the room number, else a new one in the first free place or at the end;
    // null when none could be made.
    Store* FindOrAdd(std::int32_t roomIndex)
    {
        if (Store* found = Find(roomIndex)) return found;
        auto* store = new Store(roomIndex);
        if (store == nullptr) return nullptr;
        auto free = std::find(stores_.begin(), stores_.end(), nullptr);
        if (free != stores_.end()) {
            *free = store;
        } else {
            stores_.push_back(store);
        }
        return store;
    }
    // Deletes the store; its place stays free when keepPlace is set, else it leaves the list.
    void Remove(const void* store, bool keepPlace)
    {
        if (store == nullptr) return;
        const auto at = std::find(stores_.begin(), stores_.end(), store);
        if (at == stores_.end()) return;
        delete *at;
        if (keepPlace) {
            *at = nullptr;
        } else {
            stores_.erase(at);
        }
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(stores_.size()); }
    // Null outside the list or at a free place.
    Store* At(std::int64_t index) const
    {
        return index >= 0 && index < static_cast<std::int64_t>(stores_.size()) ? stores_[static_cast<std::size_t>(index)]
                                                                              : nullptr;
    }
    void Clear()
    {
        for (Store* store : stores_) delete store;
        stores_.clear();
        stores_.shrink_to_fit();
    }
    // Each store takes the number its room has now (-1 when the room is gone).
    template <typename NumberOf>
    void Relink(NumberOf numberOf)
    {
        for (Store* store : stores_) {
            if (store != nullptr) store->SetRoomIndex(numberOf(store->GetRoom()));
        }
    }

private:
    std::vector<Store*> stores_;
};

// The store operations on the world's list; while there is no world (no list) there is no store.
template <typename Store>
Store* FindOrAddStore(RoomStoreList<Store>* list, std::int32_t roomIndex)
{
    return list != nullptr ? list->FindOrAdd(roomIndex) : nullptr;
}
template <typename Store>
Store* FindStore(const RoomStoreList<Store>* list, std::int32_t roomIndex)
{
    return list != nullptr ? list->Find(roomIndex) : nullptr;
}
template <typename Store>
Store* StoreAt(const RoomStoreList<Store>* list, std::int64_t index)
{
    return list != nullptr ? list->At(index) : nullptr;
}
template <typename Store>
std::int32_t CountStores(const RoomStoreList<Store>* list)
{
    return list != nullptr ? list->Count() : 0;
}
template <typename Store>
void RemoveStore(RoomStoreList<Store>* list, const void* store, bool keepPlace)
{
    if (list != nullptr) list->Remove(store, keepPlace);
}
template <typename Store>
void ClearStores(RoomStoreList<Store>* list)
{
    if (list != nullptr) list->Clear();
}
template <typename Store, typename NumberOf>
void RelinkStores(RoomStoreList<Store>* list, NumberOf numberOf)
{
    if (list != nullptr) list->Relink(numberOf);
}
