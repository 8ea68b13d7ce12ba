// A screen's own system-record save: asked for, owed while the machine is busy, and told only once it is on disk or has failed.
#include "game/ui/system_save_wait.h"

#include "game/services/save/save_manager.h"

void StartSystemSave() { GetSaveManager()->RequestSaveSystem(); }

UISystemSaveResult PollSystemSave()
{
    const GAME_CSaveManager* saves = GetSaveManager();
    if (!saves->IsIdle() || saves->IsSystemSavePending() || saves->pendingSave != 0) return UISystemSaveResult::kWaiting;
    return saves->IsSystemRecordSaved() ? UISystemSaveResult::kSaved : UISystemSaveResult::kFailed;
}
