// What every unit table uses: gtest, and UTF-16 text that compares and prints.
#pragma once

#include <gtest/gtest.h>

#include <string>

using Text = std::u16string;
