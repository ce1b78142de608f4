// A GoogleTest fixture that runs a fresh copy of the program for each test.
#pragma once

#include <gtest/gtest.h>

#include "driver.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartProgram(program)) << "no dialog from " << ProgramPath();
  }
  void TearDown() override { StopProgram(program); }

  HWND Control(int id) const { return ControlOf(program, id); }
  std::string Text(int id) const { return ReadText(Control(id)); }

  Program program;
};
