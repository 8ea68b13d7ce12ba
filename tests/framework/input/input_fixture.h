// A fresh input manager per test, with every key up and default options.
#pragma once

#include <gtest/gtest.h>

#include "framework/input/input_manager.h"
#include "platform/input/keyboard.h"

namespace vesk::input::test {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::input::ResetKeyboard();
        SetInputOptions(kDefaultInputOptions);
        SetIndependentGenericSticks(false);
        CreateInput();
    }

    void TearDown() override
    {
        ReleaseInput();
        platform::input::ResetKeyboard();
    }

    void Frame() { UpdateInput(window_); }

    WindowInputs window_;
};

}  // namespace vesk::input::test
