// The crafting-room screen (slot 17): its one page built on the shared task page, its opening and its frame.
#include "game/ui/screens/ui_item_create.h"

#include "game/ui/room_window.h"
#include "game/ui/widgets/ui_null_object.h"

using vesk::math::Vec2;

namespace {

// The page's root stands at the canvas origin and carries the window; positions are root-relative.
constexpr Vec2 kHome{0.0f, 0.0f};
constexpr Vec2 kSlideFrom{0.0f, -360.0f};

}  // namespace

GAME_CUIItemCreate::GAME_CUIItemCreate(const UIScreenContext& context)
    : GAME_CUIRoomScreen(context, kHome, kSlideFrom, {.closesFromHome = true})
{
    taskRoot_ = MakeUIGroupNode(kHome.x, kSlideFrom.y);
    UIRoomTaskTabLayout layout = UIRoomTaskTabLayout{}.MovedBy(kUIRoomWindowAt);
    layout.taskTabOnly = true;
    layout.silentFocus = true;
    FillTaskPage(MakeUIRoomWindowUnder(taskRoot_), layout,
                 {.taskTabKey = "KITCHEN_TEXT_TASK", .taskPage = true, .taskTabOnly = true});
}

GAME_CUIItemCreate::~GAME_CUIItemCreate() = default;

void GAME_CUIItemCreate::OnEnterOpening()
{
    BeginOpening();
    EnterTaskPage();
}

void GAME_CUIItemCreate::UpdateMain(bool input)
{
    if (target == nullptr) {
        SetOpen(false);
        return;
    }
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    UpdateTaskPage(input);
    AnswerInfoScroll(infoScroll);
}
