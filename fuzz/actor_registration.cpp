// Random actor scripts: nothing registered at load, then each runs a few steps on a crew member from its labels.
#include "fuzz/registration_input.h"
#include "game/model/script/script_actor.h"
#include "game/model/object/object_actor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    registration_fuzz::LoadAsKind(kScriptPackageActor, data, size, 40);
    const GAME_CScriptPackage* package = GetScriptPackages()->Get(kScriptPackageActor);
    if (package == nullptr) {
        return 0;
    }
    for (std::uint32_t i = 0; i < package->GetEntryCount(); ++i) {
        GAME_CObjectActor actor;
        GAME_CScriptActor script(&actor);
        script.SetCommandBudget(kRegistrationCommandBudget);
        script.Attach(&package->GetEntry(i).program);
        for (std::u16string_view label : {kRegistrationLabel, std::u16string_view(u"更新[NoTask]")}) {
            script.JumpToLabel(label);
            for (int step = 0; step < 4; ++step) {
                script.TickScript();
            }
        }
    }
    return 0;
}
