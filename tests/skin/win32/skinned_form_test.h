#pragma once
// Tests of the program's main form in the test's own process under the Win32 skin engine; the
// application's errors are collected instead of shown, and each one fails the test.

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

#include "runtime/win32/application.h"
#include "support/win32/skinned_main_form.h"

namespace tw::win {

class SkinnedFormTest : public testing::Test, protected SkinnedMainForm {
protected:
  SkinnedFormTest() {
    Application::Get().SetExceptionHandler(
        [this](const std::exception& e) { errors.push_back(e.what()); });
  }
  ~SkinnedFormTest() override { Application::Get().SetExceptionHandler(nullptr); }
  void TearDown() override {
    for (const std::string& error : errors)
      ADD_FAILURE() << "error handler: " << error;
  }

  std::vector<std::string> errors;
};

} // namespace tw::win
