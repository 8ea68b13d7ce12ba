// A task of a kind that does nothing by itself, bound to no room: for tests that need a task to hold crew.
#pragma once

#include <cstdint>

#include "game/model/ship/task_base.h"

namespace support {

class IdleTask final : public GAME_CTaskBase {
public:
    explicit IdleTask(std::int32_t kind) : GAME_CTaskBase(Request(kind)), kind_(kind) {}
    std::int32_t GetKind() const override { return kind_; }
    bool IsRoomTask() const override { return false; }
    bool HasRoom() const override { return false; }
    void Update() override {}

private:
    static GAME_CTaskRequest Request(std::int32_t kind)
    {
        GAME_CTaskRequest request;
        request.kind = kind;
        return request;
    }
    std::int32_t kind_;
};

}  // namespace support
