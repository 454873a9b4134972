#include "model/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kartela {
namespace {

std::uint8_t ModeAfter(std::uint8_t mode, const std::vector<std::string>& arguments) {
  Settings settings;
  settings.EmfMode = mode;
  ApplyCommandLine(arguments, settings);
  return settings.EmfMode;
}

TEST(CommandLineTest, SwitchesChangeOnlyTheirStartingModes) {
  EXPECT_EQ(ModeAfter(0, {"/Z"}), 5);
  EXPECT_EQ(ModeAfter(3, {"/z"}), 5);
  EXPECT_EQ(ModeAfter(1, {"/Z"}), 1);
  EXPECT_EQ(ModeAfter(0, {"/Z2"}), 7);
  EXPECT_EQ(ModeAfter(1, {"/z2"}), 7);
  EXPECT_EQ(ModeAfter(3, {"/Z2"}), 3);
  EXPECT_EQ(ModeAfter(1, {"/Z-"}), 8);
  EXPECT_EQ(ModeAfter(3, {"/z-"}), 8);
  EXPECT_EQ(ModeAfter(0, {"/Z-"}), 0);
  // A mode already set by a switch is left alone by a later one.
  EXPECT_EQ(ModeAfter(0, {"/Z", "/Z2"}), 5);
}

TEST(CommandLineTest, AbsolutePathsAreFilesNotSwitches) {
  Settings settings;
  const auto file = ApplyCommandLine({"/Zdata.DAT", "/X"}, settings);
  EXPECT_EQ(settings.EmfMode, 0);
  EXPECT_EQ(file, std::filesystem::path("/X"));
}

TEST(CommandLineTest, LastFileWinsAndIsMadeAbsolute) {
  Settings settings;
  EXPECT_TRUE(ApplyCommandLine({}, settings).empty());
  EXPECT_TRUE(ApplyCommandLine({"/Z", ""}, settings).empty());
  const auto file = ApplyCommandLine({"/tmp/first.KTD", "./maps/../second.DAT", "/Z"}, settings);
  EXPECT_EQ(file, std::filesystem::current_path() / "second.DAT");
  EXPECT_EQ(ApplyCommandLine({"/data/地図.KTD"}, settings),
            std::filesystem::path("/data/地図.KTD"));
}

}  // namespace
}  // namespace kartela
