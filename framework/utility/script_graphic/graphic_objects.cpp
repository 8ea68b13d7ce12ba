// Creation, removal and selection of objects by the graphic table.
#include "framework/utility/script_graphic/creation_record.h"
#include "framework/utility/script_graphic/graphic_handlers.h"

namespace vesk::utility::script_graphic::graphic {

namespace {

constexpr std::size_t kChildScriptRecordWords = 17;
constexpr std::size_t kSpriteRecordWords = 18;

// Engine objects only ever hang under engine objects; anything else is no graphic.
UTL_CObjectBase* AsObject(draw_unit::UTL_CObject2Base* unit) { return dynamic_cast<UTL_CObjectBase*>(unit); }

}  // namespace

std::uint32_t Sprite(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectScript* object = RunningObject(engine);
    if (object == nullptr) {
        return 1;
    }
    if (mode == 0) {
        const std::optional<CreationRecord> record = ReadCreationRecord(args, kSpriteRecordWords);
        if (!record) {
            return 1;
        }
        UTL_CObjectSprite* sprite = GraphicEngine(engine).CreateSpriteObject(
            record->name, static_cast<std::int32_t>(record->word16), static_cast<std::int32_t>(record->word17), object);
        if (sprite != nullptr) {
            object->SetGraphic(sprite);
        }
    } else if (mode == 1) {
        if (!args.Need(2)) {
            return 1;
        }
        UTL_CObjectBase* graphic = object->GetGraphic();
        if (graphic != nullptr && graphic->GetObjectKind() == kObjectSprite) {
            static_cast<UTL_CObjectSprite*>(graphic)->SetSprite(args.I32(0), args.I32(1));
        }
    }
    return 1;
}

std::uint32_t ChildScript(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectScript* object = RunningObject(engine);
    const std::optional<CreationRecord> record = ReadCreationRecord(args, kChildScriptRecordWords);
    if (object == nullptr || !record) {
        return 1;
    }
    UTL_CObjectScript* child = GraphicEngine(engine).CreateScriptObject(record->name, record->word16, object);
    if (child != nullptr) {
        object->SetGraphic(child);
    }
    return 1;
}

std::uint32_t RemoveChildren(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectScript* object = RunningObject(engine);
    if (object == nullptr) {
        return 1;
    }
    if (mode == 0) {
        const std::u16string name = ReadName(args, 0);
        if (args.Faulted()) {
            return 1;
        }
        if (draw_unit::UTL_CObject2Base* child = object->FindChild(name)) {
            child->Kill();
        }
    } else if (mode == 1) {
        for (draw_unit::UTL_CObject2Base* child : object->GetChildren()) {
            child->Kill();
        }
    }
    return 1;
}

std::uint32_t SelectGraphic(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectScript* object = RunningObject(engine);
    if (object == nullptr) {
        return 1;
    }
    UTL_CObjectBase* found = nullptr;
    switch (mode) {
    case 0:
        found = GraphicEngine(engine).FindObjectByName(ReadName(args, 0));
        break;
    case 1:
        found = AsObject(object->FindChild(ReadName(args, 0)));
        break;
    case 2: {
        const std::u16string descendant = ReadName(args, 0);
        const std::u16string ancestor = ReadName(args, kNameBytes);
        if (UTL_CObjectBase* root = GraphicEngine(engine).FindObjectByName(ancestor)) {
            found = AsObject(root->FindDescendant(descendant));
        }
        break;
    }
    case 3:
        found = AsObject(object->GetParent());
        break;
    case 4:
        found = object;
        break;
    default:
        break;
    }
    if (found != nullptr && !args.Faulted()) {
        object->SetGraphic(found);
    }
    return 1;
}

}  // namespace vesk::utility::script_graphic::graphic
