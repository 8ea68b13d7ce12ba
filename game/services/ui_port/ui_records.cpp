// The notice record's reset and copy, and the loss record's reset.
#include "game/services/ui_port/ui_records.h"

UINoticeRecord* InitNoticeRecord(UINoticeRecord* record)
{
    *record = UINoticeRecord{};
    return record;
}

UINoticeRecord* AssignNoticeRecord(UINoticeRecord* destination, const UINoticeRecord* source)
{
    destination->key.Assign(source->key.c_str());
    destination->frames = source->frames;
    destination->count = source->count;
    destination->flag = source->flag != 0 ? 1 : 0;
    destination->argumentKey.Assign(source->argumentKey.c_str());
    return destination;
}

LossRecord* InitLossRecord(LossRecord* record)
{
    *record = LossRecord{};
    return record;
}
