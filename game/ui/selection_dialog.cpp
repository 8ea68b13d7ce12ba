// The shared yes/no dialog: one widget that every screen (and the start-up) asks its questions with.
#include "game/ui/selection_dialog.h"

#include <algorithm>
#include <utility>

#include "framework/graphics/named_sprite.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_callback.h"
#include "game/ui/widgets/ui_category_change_object.h"
#include "game/ui/widgets/ui_function_call_object.h"

using vesk::math::Vec2;

namespace {

GAME_CUIInDisplaySelectionObject* g_dialog = nullptr;

// Layout inside the box (the box is 280 units wide).
constexpr float kTextX = GAME_CUIInDisplaySelectionObject::kTextLeft;
constexpr float kTextY = GAME_CUIInDisplaySelectionObject::kTextTop;
constexpr float kSeparatorX = 12.0f;
constexpr float kSeparatorY = 99.0f;
constexpr float kButtonCentreX = 140.0f;
constexpr float kEnterY = 124.0f;
constexpr float kChoiceY[2] = {118.0f, 138.0f};
constexpr float kChoiceWidth = 170.0f;
constexpr float kChoiceHeight = 18.0f;
constexpr float kCursorNear = -96.0f;
constexpr float kCursorFar = -95.0f;
constexpr std::size_t kCutLimit = 254;
constexpr int kResetUpdateLimit = 8;


GAME_CUILabelObject* MakeButtonLabel(GAME_CUIObjectBase* button)
{
    UILabelObjectDesc desc;
    InitUILabelObjectDesc(&desc);
    desc.pivotX = 0.5f;
    desc.pivotY = 0.5f;
    auto* label = new GAME_CUILabelObject(&desc);
    label->SetParent(button);
    return label;
}

}  // namespace

GAME_CUIInDisplaySelectionObject::GAME_CUIInDisplaySelectionObject()
{
    message_.reserve(512);
    lineColors.fill(GetUIColor(kUIColorText));
    box_ = MakeUIPicture("ui_dialogbase", kBoxX, kBoxY);
    separator_ = MakeUIPicture("ui_separator_dialog", kSeparatorX, kSeparatorY);
    separator_->SetParent(box_);
    anchor_ = MakeUIGroupNode(kTextX, kTextY);
    anchor_->SetParent(box_);
    for (GAME_CUINullObject*& image : images_) {
        // A picture node spans its whole sprite (a bare node's texture rectangle is empty).
        image = MakeUIPicture("", 0.0f, 0.0f);
        image->SetParent(box_);
    }

    UIIconObjectDesc button;
    InitUIIconObjectDesc(&button);
    button.normalSprite = FindUISprite("ui_enterbutton");
    button.pressedSprite = FindUISprite("ui_enterbutton_touch");
    const Vec2 enterSize = UISpriteSize(button.normalSprite);
    if (enterSize.x > 0.0f) SetUIIconObjectDescSize(&button, enterSize.x, enterSize.y);
    button.hiddenX = button.shownX = kButtonCentreX;
    button.hiddenY = button.shownY = kEnterY;
    button.pivotX = button.pivotY = 0.5f;
    button.pressedScaleX = button.pressedScaleY = 0.95f;
    button.soundEffect = kSeUIDecide;
    button.releaseCallback = UIBind(this, &GAME_CUIInDisplaySelectionObject::OnFirstChoice);
    enter_ = new GAME_CUIIconObject(&button);
    enter_->SetParent(box_);
    enterLabel_ = MakeButtonLabel(enter_);

    for (int i = 0; i < 2; ++i) {
        UIIconObjectDesc choice;
        InitUIIconObjectDesc(&choice);
        SetUIIconObjectDescSize(&choice, kChoiceWidth, kChoiceHeight);
        choice.hiddenX = choice.shownX = kButtonCentreX;
        choice.hiddenY = choice.shownY = kChoiceY[i];
        choice.pivotX = choice.pivotY = 0.5f;
        choice.soundEffect = kSeUIDecide;
        choice.pressCallback = UIBind(this, &GAME_CUIInDisplaySelectionObject::OnChoiceContact);
        choice.releaseCallback = UIBind(this, i == 0 ? &GAME_CUIInDisplaySelectionObject::OnFirstChoice : &GAME_CUIInDisplaySelectionObject::OnSecondChoice);
        choices_[i] = new GAME_CUIIconObject(&choice);
        choices_[i]->SetParent(box_);
        choiceLabels_[i] = MakeButtonLabel(choices_[i]);
    }

    cursorSprite_ = FindUISprite("ui_cursor_common_r90");
    UINullObjectDesc cursor;
    InitUINullObjectDesc(&cursor);
    cursor.positionX = kCursorNear;
    cursor.pivotY = 0.5f;
    cursor.sprite = cursorSprite_;
    cursor_ = new GAME_CUINullObject(&cursor);
    cursor_->SetParent(choices_[0]);

    UIFunctionCallObjectDesc lines;
    InitUIFunctionCallObjectDesc(&lines);
    lines.draw = UIBind(this, &GAME_CUIInDisplaySelectionObject::DrawLines);
    auto* lineNode = new GAME_CUIFunctionCallObject(&lines);
    lineNode->SetVisible(true);

    // Draw order: sprites, then texts.
    owned_ = {MakeUICategorySwitch(1), box_, separator_, images_[0], images_[1], images_[2], images_[3],
              enter_, choices_[0], choices_[1], cursor_, anchor_, MakeUICategorySwitch(0),
              lineNode, enterLabel_, choiceLabels_[0], choiceLabels_[1]};
    owned_.erase(std::remove(owned_.begin(), owned_.end(), nullptr), owned_.end());
    ClearImages();
}

GAME_CUIInDisplaySelectionObject::~GAME_CUIInDisplaySelectionObject() { DeleteWidgets(owned_); }

void GAME_CUIInDisplaySelectionObject::FindSprites()
{
    // The start-up opens the dialog every frame until it shows: names resolve once per load.
    static const vesk::resource::NamedSprite box{kUISpriteGroup, "ui_dialogbase"};
    static const vesk::resource::NamedSprite separator{kUISpriteGroup, "ui_separator_dialog"};
    static const vesk::resource::NamedSprite enterButton{kUISpriteGroup, "ui_enterbutton"};
    static const vesk::resource::NamedSprite enterTouched{kUISpriteGroup, "ui_enterbutton_touch"};
    static const vesk::resource::NamedSprite cursor{kUISpriteGroup, "ui_cursor_common_r90"};
    box_->SetSprite(box.Index());
    separator_->SetSprite(separator.Index());
    const std::int32_t enter = enterButton.Index();
    enter_->SetSprites(enter, enterTouched.Index());
    const Vec2 enterSize = UISpriteSize(enter);
    if (enterSize.x > 0.0f) enter_->SetHitSize(enterSize.x, enterSize.y);
    cursorSprite_ = cursor.Index();
}

void GAME_CUIInDisplaySelectionObject::Open(std::uint32_t owner, std::uint32_t, bool yesNo)
{
    FindSprites();
    lineColors.fill(GetUIColor(kUIColorText));
    active = true;
    ownerSlot = std::min(owner, kMaxOwnerSlot);
    SetYesNoMode(yesNo);
    message_.clear();
    for (auto& line : lines_) line.Assign(u"");
    lineCount_ = 0;
    longestChars_ = 0;
    longestPixels_ = 0.0f;
    layoutDone_ = false;
    answer = kNoAnswer;
    ResetButtons();
    ClearImages();
    cursorIndex = 0;
    alignment = 0;
    closable = false;
    answer = kNoAnswer;
    visible = true;
    nextState = 1;
    const Vec2 home{kBoxX, kBoxY};
    box_->SetPosition(&home);
    ShowForMode();
}

void GAME_CUIInDisplaySelectionObject::ShowForMode()
{
    for (GAME_CUIIconObject* choice : choices_) {
        if (yesNoMode) {
            choice->SetVisible(true);
        } else {
            HideWidget(choice);
        }
    }
    if (yesNoMode) {
        HideWidget(enter_);
    } else {
        enter_->SetVisible(true);
    }
}

void GAME_CUIInDisplaySelectionObject::HideWidget(GAME_CUIObjectBase* widget)
{
    widget->SetVisible(false);
    widget->UpdateSubtree(false);
}

void GAME_CUIInDisplaySelectionObject::Close()
{
    if (!visible) return;
    active = false;
    nextState = 3;
    const Vec2 home{kBoxX, kBoxY};
    box_->SetPosition(&home);
}

void GAME_CUIInDisplaySelectionObject::SetYesNoMode(bool yesNo)
{
    yesNoMode = yesNo;
    messageOnly_ = false;
    if (yesNo) {
        for (GAME_CUIIconObject* choice : choices_) choice->SetVisible(true);
        enter_->SetVisible(false);
    } else {
        for (GAME_CUIIconObject* choice : choices_) choice->SetVisible(false);
        for (GAME_CUILabelObject* label : choiceLabels_) label->SetTextA("");
        enter_->SetVisible(true);
    }
}

void GAME_CUIInDisplaySelectionObject::SetNoButtonMode()
{
    // At once: a button sliding away would stand under the message for its first frames.
    HideWidget(enter_);
    for (GAME_CUIIconObject* choice : choices_) HideWidget(choice);
    messageOnly_ = true;
    enterLabel_->SetTextA("");
    for (GAME_CUILabelObject* label : choiceLabels_) label->SetTextA("");
    yesNoMode = false;
}

bool GAME_CUIInDisplaySelectionObject::IsMessageOnly() const { return messageOnly_; }

void GAME_CUIInDisplaySelectionObject::ClearMessage()
{
    message_.clear();
    for (auto& line : lines_) line.Assign(u"");
    lineCount_ = 0;
    layoutDone_ = false;
    answer = kNoAnswer;
}

void GAME_CUIInDisplaySelectionObject::ResetButtons()
{
    for (GAME_CUILabelObject* label : choiceLabels_) label->SetTextA("");
    enterLabel_->SetTextA("");
    enter_->SetVisible(false);
    for (GAME_CUIIconObject* choice : choices_) choice->SetVisible(false);
    for (int i = 0; i < kResetUpdateLimit; ++i) {
        if (!enter_->IsVisible() && !choices_[0]->IsVisible() && !choices_[1]->IsVisible()) break;
        box_->UpdateTree(false);
    }
    answer = kNoAnswer;
}

void GAME_CUIInDisplaySelectionObject::SetMessageText(const char16_t* text)
{
    if (text == nullptr) return;
    message_ = text;
    layoutDone_ = false;
}

void GAME_CUIInDisplaySelectionObject::SetMessageByKey(const char* key)
{
    if (key == nullptr) return;
    message_ = GetMessageTextExpanded(key);
    layoutDone_ = false;
}

void GAME_CUIInDisplaySelectionObject::AppendMessageText(const char16_t* text, bool lineBreakFirst)
{
    if (text == nullptr) return;
    if (lineBreakFirst) message_.push_back(u'\n');
    message_ += text;
    layoutDone_ = false;
}

void GAME_CUIInDisplaySelectionObject::AppendAreYouSure()
{
    AppendMessageText(GetMessageTextExpanded("ARE_YOU_SURE").c_str(), true);
}

void GAME_CUIInDisplaySelectionObject::AppendNumber(std::int32_t number)
{
    char16_t digits[32] = {};
    FormatFullWidthNumber(digits, std::size(digits), number);
    AppendMessageText(digits, false);
}

void GAME_CUIInDisplaySelectionObject::SetButtonText(int index, const char* key)
{
    if (key == nullptr) key = "";
    if (yesNoMode) {
        for (GAME_CUIIconObject* choice : choices_) choice->SetVisible(true);
        if (index == 0 || index == 1) choiceLabels_[static_cast<std::size_t>(index)]->SetTextA(key);
    } else {
        enter_->SetVisible(true);
        enterLabel_->SetTextA(key);
        messageOnly_ = false;
    }
}

void GAME_CUIInDisplaySelectionObject::ClearImages()
{
    for (GAME_CUINullObject* image : images_) image->SetSprite(-1);
}

void GAME_CUIInDisplaySelectionObject::SetImage(std::size_t index, std::int32_t sprite, float x, float y)
{
    if (index >= images_.size()) return;
    const Vec2 place{x, y};
    images_[index]->SetSprite(sprite);
    images_[index]->SetPosition(&place);
}

void GAME_CUIInDisplaySelectionObject::Layout()
{
    for (auto& line : lines_) line.Assign(u"");
    lineCount_ = 0;
    longestChars_ = 0;
    longestPixels_ = 0.0f;
    // An empty last line is not stored.
    for (const std::u16string& cut :
         SplitTextLines(message_, {.maxLines = kLineCount, .maxLineLength = kCutLimit, .ends = TextLineEnds::kBreaksEndLines})) {
        const std::size_t kept = lines_[lineCount_].Assign(cut.c_str());
        longestChars_ = std::max(longestChars_, kept);
        longestPixels_ = std::max(longestPixels_, MeasureUIText(std::u16string_view(lines_[lineCount_].c_str(), kept)));
        ++lineCount_;
    }
    layoutDone_ = true;
}

bool GAME_CUIInDisplaySelectionObject::AnyOwnedBusyOrDecided() const
{
    for (const GAME_CUIObjectBase* widget : owned_) {
        if (widget->IsDecided() || widget->IsBusy()) return true;
    }
    return false;
}

void GAME_CUIInDisplaySelectionObject::Update(bool input)
{
    if (!layoutDone_) Layout();
    cursor_->SetSprite(yesNoMode ? cursorSprite_ : -1);
    input = input && state == 2 && active && !AnyOwnedBusyOrDecided();
    input = box_->UpdateTree(input);
    if (yesNoMode) {
        blink_ = (blink_ + 1) % 16;
        const Vec2 place{blink_ < 8 ? kCursorNear : kCursorFar, 0.0f};
        cursor_->SetPosition(&place);
    }
    if (nextState != state) {
        state = nextState;
        if (state == 1) state = nextState = 2;
        if (state == 3) state = nextState = 0;
        if (state == 0) {
            visible = false;
            if (whenGone) std::exchange(whenGone, nullptr)();
        }
    }
    if (state == 2) MainHandling(input);
}

void GAME_CUIInDisplaySelectionObject::MainHandling(bool input)
{
    if (yesNoMode) {
        GAME_CUIIconObject* under = choices_[cursorIndex == 0 ? 0 : 1];
        if (cursor_->Parent() != under) cursor_->SetParent(under);
        if (choices_[0]->IsDecided() || choices_[1]->IsDecided()) return;
    } else {
        cursorIndex = 0;
    }
    if (!input) return;
    if (closable) {
        const float left = (kCanvasWidth - kKeepAreaWidth) * 0.5f;
        const float top = (kCanvasHeight - kKeepAreaHeight) * 0.5f;
        const float right = left + kKeepAreaWidth;
        const float bottom = top + kKeepAreaHeight;
        const bool outside = IsUIClickInRect({0.0f, 0.0f}, {left, kCanvasHeight}) ||
                             IsUIClickInRect({right, 0.0f}, {kCanvasWidth, kCanvasHeight}) ||
                             IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, top}) ||
                             IsUIClickInRect({0.0f, bottom}, {kCanvasWidth, kCanvasHeight});
        if (outside || IsUIActionTriggered(kActionCancel)) {
            PlayUISE(kSeUICancel);
            Close();
            return;
        }
    }
    if (IsUIActionTriggered(kActionDecide)) {
        if (yesNoMode) {
            choices_[cursorIndex == 0 ? 0 : 1]->Press();
        } else {
            enter_->Press();
        }
        return;
    }
    if (yesNoMode && (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp) || IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown))) {
        PlayUISE(kSeUICursor);
        cursorIndex = cursorIndex == 0 ? 1 : 0;
        cursor_->SetParent(choices_[static_cast<std::size_t>(cursorIndex)]);
    }
}

void GAME_CUIInDisplaySelectionObject::OnFirstChoice()
{
    cursorIndex = 0;
    answer = kAnswerYes;
    if (!yesNoMode) Close();
}

void GAME_CUIInDisplaySelectionObject::OnSecondChoice()
{
    cursorIndex = 1;
    answer = kAnswerNo;
}

void GAME_CUIInDisplaySelectionObject::OnChoiceContact(GAME_CUIIconObject* icon)
{
    cursorIndex = icon == choices_[1] ? 1 : 0;
    cursor_->SetParent(icon);
}

void GAME_CUIInDisplaySelectionObject::DrawLines()
{
    const Vec2 origin = anchor_->WorldPosition();
    const float lineHeight = UILineHeight();
    for (std::size_t i = 0; i < lineCount_; ++i) {
        const UTL_CFixedWString<kLineChars>& line = lines_[i];
        if (line.Empty()) continue;
        const std::u16string_view text(line.c_str(), line.Length());
        float x = origin.x;
        if (alignment == 1) x += kTextWidth * 0.5f - MeasureUIText(text) * 0.5f;
        if (alignment == 2) x += kTextWidth - MeasureUIText(text);
        DrawUIText({x, origin.y + lineHeight * static_cast<float>(i)}, text, lineColors[i]);
    }
}

void GAME_CUIInDisplaySelectionObject::Draw()
{
    if (state == 0) return;
    DrawWidgets(owned_);
    FlushUISprites();
}

GAME_CUIInDisplaySelectionObject* GetInDisplaySelection()
{
    if (g_dialog == nullptr) g_dialog = new GAME_CUIInDisplaySelectionObject;
    return g_dialog;
}

void CloseInDisplaySelectionIfShown()
{
    GAME_CUIInDisplaySelectionObject* dialog = GetInDisplaySelection();
    if (dialog != nullptr && dialog->IsVisible()) dialog->Close();
}

void DestroyInDisplaySelection()
{
    delete g_dialog;
    g_dialog = nullptr;
}
