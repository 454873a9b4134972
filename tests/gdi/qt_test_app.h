// The tests of the QPainter backend need a QGuiApplication for fonts. It is
// created before the first test, on the offscreen platform that CTest
// selects, and deleted after the last, while Qt's own globals still exist.
#pragma once

#include <memory>

#include <gtest/gtest.h>
#include <QGuiApplication>

namespace kartela::test {

class GuiApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[18] = "kartela_gdi_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

// Registered once for the whole test program; GoogleTest owns it.
inline testing::Environment* const kGuiApplicationEnvironment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

}  // namespace kartela::test
