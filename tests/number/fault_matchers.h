// SPDX-License-Identifier: MIT
// Checks an error's class and its message together.
#pragma once

#include <gtest/gtest.h>

#include <string>

#define EXPECT_FAULT(statement, ErrorClass, expectedMessage)                      \
    do {                                                                          \
        try {                                                                     \
            statement;                                                            \
            ADD_FAILURE() << #statement " raised nothing, expected " #ErrorClass; \
        } catch (const ErrorClass& e) {                                           \
            EXPECT_EQ(std::string(e.what()), std::string(expectedMessage));       \
        } catch (const std::exception& e) {                                       \
            ADD_FAILURE() << #statement " raised the wrong error: " << e.what();  \
        }                                                                         \
    } while (false)
