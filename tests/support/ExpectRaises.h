// Checks that an action raises the class library exception E with exactly the
// expected message (the messages are the code's own texts).
#pragma once

#include <gtest/gtest.h>

#include <string>

template <class E, class Action> void ExpectRaises(Action action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "nothing raised; expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.Message, message);
    }
}
