#include "model/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/file_size_limit.h"
#include "model/command_line.h"
#include "model/settings.h"
#include "model/window_metrics.h"
#include "test_support.h"

namespace kartela {
namespace {

using test::FileSizeLimit;
using test::ScratchDir;
using test::Sjis;

constexpr const char* kProgramDir = "/opt/kartela/";
constexpr const char* kIniName = "KARTELA.INI";

class SettingsFileTest : public testing::Test {
 protected:
  Settings Parsed(std::string_view text) {
    Settings settings = DefaultSettings(kProgramDir);
    ParseSettings(text, settings);
    return settings;
  }

  // One run of the program: read the file, apply the arguments and
  // `change`, write back at shutdown.
  template <typename Change>
  void Run(const std::vector<std::string>& arguments, Change change) {
    Settings settings = DefaultSettings(kProgramDir);
    ReadSettings(Ini(), settings);
    ApplyCommandLine(arguments, settings);
    change(settings);
    ASSERT_TRUE(WriteSettings(Ini(), settings).ok());
  }
  void Run(const std::vector<std::string>& arguments) {
    Run(arguments, [](Settings&) {});
  }

  std::filesystem::path Ini() const { return dir_.path() / kIniName; }
  std::string IniText() const { return dir_.Read(kIniName); }
  void WriteIni(std::string_view bytes) const { dir_.Write(kIniName, bytes); }

  ScratchDir dir_;
};

// ---- Reading -------------------------------------------------------------------

TEST_F(SettingsFileTest, DefaultsOfAFreshInstallation) {
  const Settings settings = DefaultSettings(kProgramDir);
  EXPECT_EQ(settings.DataDir, kProgramDir);
  EXPECT_EQ(settings.BaseMapFile, Sjis("全国２.IDT"));
  EXPECT_EQ(settings.SaveMask, 0xFFDF);
  EXPECT_EQ(settings.TitleFont.FaceName, Sjis("ＭＳ 明朝"));
  EXPECT_EQ(settings.TitleFont.Height, -12);
  EXPECT_EQ(settings.TitleFont.CharSet, 1);
  const PatternOrderTable& order = settings.PatternOrder;
  EXPECT_EQ((std::array<std::uint8_t, 8>{24, 25, 0, 0, 0, 0, 0, 0}), order[0]);
  EXPECT_EQ((std::array<std::uint8_t, 8>{24, 25, 26, 27, 28, 0, 0, 0}), order[3]);
  EXPECT_EQ((std::array<std::uint8_t, 8>{24, 25, 26, 27, 28, 29, 30, 31}), order[6]);
}

TEST_F(SettingsFileTest, ItemLengthAboveTheLimitWithCommentIsCut) {
  const Settings settings = Parsed("ItemLength = 50 ; longer names\r\n");
  EXPECT_EQ(settings.ItemLength, 36);
  EXPECT_EQ(settings.NextItemLength, 36);
  EXPECT_EQ(Parsed("itemlength=-3").ItemLength, -3);  // no lower limit
}

TEST_F(SettingsFileTest, NumbersReadAsFarAsTheyConvert) {
  EXPECT_EQ(Parsed("Embiroment = $1F").SaveMask, 31);
  EXPECT_EQ(Parsed("Embiroment = 12abc").SaveMask, 12);
  EXPECT_EQ(Parsed("Embiroment =").SaveMask, 0);
  EXPECT_EQ(Parsed("LineWidth = 99999").BorderStyle, 32767);  // clamped to 16 bits
  EXPECT_EQ(Parsed("DrawPosition = -70000,5x").DrawPosX, -32768);
  EXPECT_EQ(Parsed("DrawPosition = -70000,5x").DrawPosY, 5);
  EXPECT_DOUBLE_EQ(Parsed("DrawSize = 1.5x, 2").DrawResX, 1.5);
  EXPECT_DOUBLE_EQ(Parsed("DrawSize = 1.5x, 2").DrawResY, 2.0);
  EXPECT_DOUBLE_EQ(Parsed("PrintSize = abc").PrintSize, 0.0);
}

TEST_F(SettingsFileTest, ClassCountStaysWithinTheDrawableRange) {
  EXPECT_EQ(Parsed("Division = 6").ClassCount, 6);
  EXPECT_EQ(Parsed("Division = 20").ClassCount, 8);
  EXPECT_EQ(Parsed("Division = 0").ClassCount, 2);
  EXPECT_EQ(Parsed("Division = 0").RawSettingLines[kRawDivision], "0");  // the file keeps its text
}

TEST_F(SettingsFileTest, LastOccurrenceOfAKeyWins) {
  const Settings settings = Parsed("Division = 3\r\nDIVISION = 4\r\ndivision = 7 ; last\r\n");
  EXPECT_EQ(settings.ClassCount, 7);
  EXPECT_EQ(settings.RawSettingLines[kRawDivision], "7");
}

TEST_F(SettingsFileTest, CommentsBlankLinesAndUnknownKeysAreIgnored) {
  const Settings settings =
      Parsed("; ItemLength = 10\r\n\r\n   \r\nColour = 5\r\nItemLen = 10\r\n=30\r\nDivision = 4");
  EXPECT_EQ(settings.ItemLength, 26);
  EXPECT_EQ(settings.ClassCount, 4);  // a last line without ending counts
  // The text after ";" is comment even when it holds "=".
  EXPECT_EQ(Parsed("Embiroment ; = 12").SaveMask, 0);
}

TEST_F(SettingsFileTest, PositionWithState) {
  const Settings settings = Parsed("Position = 100, 50 ,800,600, max");
  EXPECT_EQ(settings.WindowLeft, 100);
  EXPECT_EQ(settings.WindowTop, 50);
  EXPECT_EQ(settings.WindowWidth, 800);
  EXPECT_EQ(settings.WindowHeight, 600);
  EXPECT_EQ(settings.WindowState, "MAX");
  EXPECT_TRUE(StartsMaximized(settings));
  EXPECT_EQ(settings.RawSettingLines[kRawPosition], "100, 50 ,800,600, max");
  EXPECT_FALSE(StartsMaximized(Parsed("Position = 1,2,3,4")));
  EXPECT_EQ(Parsed("Position = 1,2,3,4,").WindowState, "");
  EXPECT_EQ(Parsed("Position = 1,2,3,4,abcdefghijabcdefghijabcdefghijabcdefghij").WindowState,
            "ABCDEFGHIJABCDEFGHIJABCDEFGHIJABC");
}

TEST_F(SettingsFileTest, PositionMaximumAndIconChangeOnlyTheLeftEdge) {
  Settings settings = Parsed("Position = 1,2,3,4\r\nPosition = maximum");
  EXPECT_EQ(settings.WindowLeft, kWindowLeftMaximum);
  EXPECT_EQ(settings.WindowTop, 2);
  EXPECT_EQ(settings.WindowHeight, 4);
  EXPECT_EQ(Parsed("Position = ICON").WindowLeft, kWindowLeftIcon);
  EXPECT_EQ(Parsed("Position = ICON").WindowWidth, 620);
}

TEST_F(SettingsFileTest, BaseMapIsAlwaysAnIdtInTheProgramDirectory) {
  const Settings settings = Parsed("BaseMap = /home/user/maps/OTHER.XYZ");
  EXPECT_EQ(settings.BaseMapFile, "OTHER.IDT");
  EXPECT_EQ(settings.RawSettingLines[kRawBaseMap], "/home/user/maps/OTHER.XYZ");
  EXPECT_EQ(Parsed(Sjis("BaseMap = C:\\MAPS\\北海道.idt")).BaseMapFile, Sjis("北海道.IDT"));
  EXPECT_EQ(Parsed("BaseMap = ").BaseMapFile, Sjis("全国２.IDT"));
}

TEST_F(SettingsFileTest, DataDirKeepsItsCaseAndDataExtIsUpperCased) {
  const Settings settings = Parsed("DataDir = /home/Yuki/Data/\r\nDataExt = .csv\r\n");
  EXPECT_EQ(settings.DataDir, "/home/Yuki/Data/");
  EXPECT_EQ(settings.RawSettingLines[kRawDataDir], "/home/Yuki/Data/");
  EXPECT_EQ(settings.DataExt, ".CSV");
  EXPECT_EQ(settings.RawSettingLines[kRawDataExt], ".CSV");
}

TEST_F(SettingsFileTest, PatternFillsTheRowsThenThePaletteFlag) {
  std::string line = "Pattern = ";
  for (int i = 0; i < 56; ++i)
    line += std::to_string(i) + ",";
  const Settings settings = Parsed(line + "0");
  EXPECT_EQ(settings.PatternOrder[0][0], 0);
  EXPECT_EQ(settings.PatternOrder[1][0], 8);
  EXPECT_EQ(settings.PatternOrder[6][7], 55);
  EXPECT_EQ(settings.UsePalette, 0);
  EXPECT_EQ(Parsed(line + "7").UsePalette, 1);

  const Settings short_line = Parsed("Pattern = 40,300,-2");
  EXPECT_EQ(short_line.PatternOrder[0][0], 40);
  EXPECT_EQ(short_line.PatternOrder[0][1], 255);
  EXPECT_EQ(short_line.PatternOrder[0][2], 0);
  EXPECT_EQ(short_line.PatternOrder[6][7], 0);
  EXPECT_EQ(short_line.UsePalette, 0);
}

TEST_F(SettingsFileTest, FontKeys) {
  const Settings settings =
      Parsed(Sjis("TitleFont = ＭＳ ゴシック , -20, 5, -6\r\n"
                  "IndexFont = Serif,-10,1,2,6\r\n"
                  "FancyFont = ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEF,-8\r\n"
                  "AreaFont = 明朝明朝明朝明朝明朝明朝明朝明朝明朝,9,35\r\n"));
  EXPECT_EQ(settings.TitleFont.FaceName, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(settings.TitleFont.Height, -20);
  EXPECT_EQ(settings.TitleOffsetX, 5);
  EXPECT_EQ(settings.TitleOffsetY, -6);
  EXPECT_EQ(settings.IndexFont.FaceName, "Serif");
  EXPECT_EQ(settings.LegendOffsetX, 1);
  EXPECT_EQ(settings.LegendOffsetY, 2);
  EXPECT_EQ(settings.LegendStyle, 6);
  EXPECT_EQ(settings.FancyFont.FaceName, "ABCDEFGHIJABCDEFGHIJABCDEFGHIJA");  // 31 bytes
  EXPECT_EQ(settings.FancyFont.Height, -8);
  // 36 bytes of double-byte characters: 30 kept, no character split.
  EXPECT_EQ(settings.AreaFont.FaceName, Sjis("明朝明朝明朝明朝明朝明朝明朝明"));
  EXPECT_EQ(settings.AreaFont.Height, 9);
  EXPECT_EQ(settings.AreaNameFlags, 35);
  // A blank left at the end by the cut is dropped, as it would be on reading back.
  EXPECT_EQ(Parsed("FancyFont = ABCDEFGHIJABCDEFGHIJABCDEFGHIJ AB,-8").FancyFont.FaceName,
            "ABCDEFGHIJABCDEFGHIJABCDEFGHIJ");
}

TEST_F(SettingsFileTest, ASettingsFileWrittenAsUtf8ReadsAsItsShiftJis) {
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    const Settings settings = Parsed(mark + "TitleFont = ＭＳ ゴシック,-20\nDataDir=/home/あ\n");
    EXPECT_EQ(settings.TitleFont.FaceName, Sjis("ＭＳ ゴシック"));
    EXPECT_EQ(settings.DataDir, Sjis("/home/あ"));
  }
}

TEST_F(SettingsFileTest, HintAndMetafileMode) {
  EXPECT_EQ(Parsed("ShowHint = 0").ShowHint, 0);
  EXPECT_EQ(Parsed("ShowHint = 7").ShowHint, 1);
  EXPECT_EQ(Parsed("Zflag = 3").EmfMode, 3);
  EXPECT_EQ(Parsed("Zflag = 3\r\nZflag = 256").EmfMode, 3);  // out of the byte: ignored
  EXPECT_EQ(Parsed("Zflag = 3\r\nZflag = -1").EmfMode, 3);
}

TEST_F(SettingsFileTest, MissingFileLeavesTheDefaults) {
  Settings settings = DefaultSettings(kProgramDir);
  ReadSettings(dir_.path() / "NONE.INI", settings);
  EXPECT_EQ(settings.ItemLength, 26);
  EXPECT_TRUE(settings.RawSettingLines[kRawPosition].empty());
}

// ---- Writing -------------------------------------------------------------------

TEST_F(SettingsFileTest, NothingToWriteWithoutSavedChanges) {
  Settings settings = DefaultSettings(kProgramDir);
  EXPECT_FALSE(ShouldWriteSettings(settings));
  settings.ChangedMask = kChangedPrintSize;  // not in the default save mask
  EXPECT_FALSE(ShouldWriteSettings(settings));
  settings.ShowHint = 3;
  EXPECT_TRUE(ShouldWriteSettings(settings));
  settings.ShowHint = 1;
  settings.EmfMode = 4;
  EXPECT_TRUE(ShouldWriteSettings(settings));
}

TEST_F(SettingsFileTest, RunWithoutChangesLeavesTheFileByteForByte) {
  const std::string original = Sjis(
      "; 設定ファイル\r\nItemLength=30\r\nEmbiroment = 65535\r\nUnknownKey = 1\r\n"
      "DataDir = /data/  ; mine\r\nShowHint = 0\r\nZflag = 1\n");
  WriteIni(original);
  Run({});
  EXPECT_EQ(IniText(), original);
}

TEST_F(SettingsFileTest, ChangedValuesAreFormattedExactly) {
  Settings settings = DefaultSettings(kProgramDir);
  settings.ChangedMask = 0xFFFF;
  settings.SaveMask = 0xFFFF;
  settings.WindowState = "MAX";
  settings.DrawResY = 2.5;
  settings.DrawPosX = -3;
  settings.IndexFont.FaceName = "Serif";
  settings.AreaNameFlags = 33;
  settings.ColorChange = 4;
  EXPECT_EQ(FormatSettings(settings),
            "ItemLength    = 26\r\n"
            "Embiroment    = 65535\r\n"
            "Position      = 10,10,620,380,MAX\r\n" +
                Sjis("BaseMap       = 全国２.IDT\r\n") +
                "DataDir       = /opt/kartela/\r\n"
                "DataExt       = .DAT\r\n"
                "PrintSize     = -1.00\r\n"
                "DrawSize      = 1.00,2.50\r\n"
                "DrawPosition  = -3,0\r\n"
                "Division      = 5\r\n"
                "Pattern       = 24,25,0,0,0,0,0,0,24,25,26,0,0,0,0,0,24,25,26,27,0,0,0,0,"
                "24,25,26,27,28,0,0,0,24,25,26,27,28,29,0,0,24,25,26,27,28,29,30,0,"
                "24,25,26,27,28,29,30,31,1\r\n" +
                Sjis("TitleFont     = ＭＳ 明朝,-12,0,2\r\n") +
                "IndexFont     = Serif,-12,0,0,1\r\n" + Sjis("FancyFont     = ＭＳ 明朝,-12\r\n") +
                Sjis("AreaFont      = ＭＳ 明朝,-12,33\r\n") +
                "LineWidth     = 0\r\n"
                "ColorChange   = 4\r\n");
}

TEST_F(SettingsFileTest, FormattedValuesReadBackTheSame) {
  Settings written = DefaultSettings(kProgramDir);
  written.ChangedMask = 0xFFFF;
  written.SaveMask = 0xFFFF;
  written.WindowLeft = -4;
  written.PrintSize = 2.5;
  written.DrawResX = 1.25;
  written.ClassCount = 7;
  written.PatternOrder[5][6] = 200;
  written.UsePalette = 0;
  written.FancyFont.FaceName = Sjis("ＭＳ ゴシック");
  written.FancyFont.Height = -30;
  written.LegendStyle = 6;
  const Settings read = Parsed(FormatSettings(written));
  EXPECT_EQ(read.WindowLeft, -4);
  EXPECT_DOUBLE_EQ(read.PrintSize, 2.5);
  EXPECT_DOUBLE_EQ(read.DrawResX, 1.25);
  EXPECT_EQ(read.ClassCount, 7);
  EXPECT_EQ(read.PatternOrder, written.PatternOrder);
  EXPECT_EQ(read.UsePalette, 0);
  EXPECT_EQ(read.FancyFont, written.FancyFont);
  EXPECT_EQ(read.LegendStyle, 6);
}

// A data directory or a face name reads back as written exactly when the
// refusal rule lets it through; one it refuses keeps the line as read.
TEST_F(SettingsFileTest, OnlyTextsThatReadBackTheSameAreWritten) {
  const std::vector<std::string> texts = {"/home/user/data/",
                                          Sjis("/home/地図/統計/"),
                                          "/data/a;b/",
                                          "/data/x,y/",
                                          "IPAexGothic",
                                          Sjis("ＭＳ 明朝"),
                                          "Foo, Bar",
                                          "Foo;Bar",
                                          " Foo",
                                          "Foo\t",
                                          "a\nb"};
  Settings old_file = DefaultSettings(kProgramDir);
  old_file.ChangedMask = 0xFFFF;
  old_file.SaveMask = 0xFFFF;
  const Settings before = Parsed(FormatSettings(old_file));
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    Settings written = before;
    written.ChangedMask = kChangedDataDir | kChangedTitleFont | kChangedAreaFont;
    written.SaveMask = 0xFFFF;
    written.DataDir = text;
    written.TitleFont.FaceName = text;
    written.AreaFont.FaceName = text;
    written.AreaNameFlags = 3;
    const Settings read = Parsed(FormatSettings(written));

    const bool dir_storable = UnstorableSettingCharacter(text, SettingText::kDataDir) == 0;
    EXPECT_EQ(read.DataDir == text, dir_storable);
    EXPECT_EQ(read.DataDir, dir_storable ? text : before.DataDir);
    const bool face_storable = UnstorableSettingCharacter(text, SettingText::kFaceName) == 0;
    EXPECT_EQ(read.TitleFont.FaceName == text, face_storable);
    EXPECT_EQ(read.AreaFont.FaceName, face_storable ? text : before.AreaFont.FaceName);
    EXPECT_EQ(read.AreaNameFlags, face_storable ? 3 : before.AreaNameFlags);
  }
  EXPECT_EQ(UnstorableSettingCharacter("/data/a;b/", SettingText::kDataDir), ';');
  EXPECT_EQ(UnstorableSettingCharacter("/data/x,y/", SettingText::kDataDir), '\0');
  EXPECT_EQ(UnstorableSettingCharacter("Foo, Bar", SettingText::kFaceName), ',');
}

TEST_F(SettingsFileTest, SwitchOnAFreshInstallationThenOff) {
  Run({"/Z"});
  const std::string with_flag = IniText();
  EXPECT_TRUE(with_flag.ends_with("\r\nZflag         = 1\r\n")) << with_flag;
  EXPECT_TRUE(with_flag.starts_with("ItemLength    = 26\r\nEmbiroment    = 65503\r\n"));

  Settings settings = DefaultSettings(kProgramDir);
  ReadSettings(Ini(), settings);
  EXPECT_EQ(settings.EmfMode, 1);

  Run({"/z-"});
  EXPECT_EQ(IniText().find("Zflag"), std::string::npos) << IniText();
  Run({});  // mode 0 and nothing changed: the file stays
  EXPECT_EQ(IniText().find("Zflag"), std::string::npos);
}

TEST_F(SettingsFileTest, UnsavedChangeKeepsTheOldLineWhileAnotherForcesTheRewrite) {
  WriteIni("Embiroment = 65531\r\nDataDir = /old/\r\nColor = 1\r\n");  // lacks 0x0004
  Run({}, [](Settings& settings) {
    settings.DataDir = "/new/";
    settings.ChangedMask |= kChangedDataDir;
    settings.DataExt = ".TXT";
    settings.ChangedMask |= kChangedDataExt;
  });
  EXPECT_EQ(IniText(),
            "ItemLength    = 26\r\n"
            "Embiroment    = 65531\r\n"
            "DataDir       = /old/\r\n"
            "DataExt       = .TXT\r\n");
}

TEST_F(SettingsFileTest, UnsavedChangeWithoutOldLineWritesNoLine) {
  Run({}, [](Settings& settings) {
    settings.SaveMask = 0xFFFF & ~kChangedDataDir;
    settings.ChangedMask = kChangedItemLength | kChangedDataDir;
    settings.DataDir = "/new/";
  });
  EXPECT_EQ(IniText(), "ItemLength    = 26\r\nEmbiroment    = 65531\r\n");
}

TEST_F(SettingsFileTest, HintChangesAreWrittenAndOffSurvivesOtherRewrites) {
  Run({}, [](Settings& settings) { settings.ShowHint = 2; });
  EXPECT_TRUE(IniText().ends_with("ShowHint      = 0\r\n")) << IniText();
  Run({}, [](Settings& settings) { settings.ChangedMask |= kChangedDivision; });
  EXPECT_NE(IniText().find("ShowHint      = 0\r\n"), std::string::npos) << IniText();
  Run({}, [](Settings& settings) { settings.ShowHint = 3; });
  EXPECT_TRUE(IniText().ends_with("ShowHint      = 1\r\n")) << IniText();
}

TEST_F(SettingsFileTest, WindowPlacementRewritesThePositionLine) {
  WriteIni("Position = 10,10,620,380 ; first run\r\n");
  Run({}, [](Settings& settings) { RecordWindowPlacement({10, 10, 620, 380}, true, settings); });
  EXPECT_NE(IniText().find("Position      = 10,10,620,380,MAX\r\n"), std::string::npos);
}

// ---- Write failures --------------------------------------------------------------

TEST_F(SettingsFileTest, MissingDirectoryFailsWithoutCreatingAnything) {
  Settings settings = DefaultSettings(kProgramDir);
  settings.EmfMode = 5;
  EXPECT_EQ(WriteSettings(dir_.path() / "missing" / kIniName, settings).code(),
            StatusCode::kNotFound);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "missing"));
}

TEST_F(SettingsFileTest, FailedWriteLeavesTheOldFile) {
  const std::string original = "ItemLength = 20\r\n";
  WriteIni(original);
  Settings settings = DefaultSettings(kProgramDir);
  settings.EmfMode = 7;
  Status written;
  {
    FileSizeLimit limit(8);
    written = WriteSettings(Ini(), settings);
  }
  EXPECT_EQ(written.code(), StatusCode::kNoSpace);
  EXPECT_EQ(IniText(), original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind
}

// The last folders of the file dialogs have no line until a dialog was
// used; then they are saved with the data directory's save-mask bit, each
// under its own key, and read back.
TEST_F(SettingsFileTest, LastFoldersAreSavedOnceSetWithTheDataDirectory) {
  for (const std::int32_t mask : {0xFFDF, 0xFFDF & ~kChangedDataDir}) {
    WriteIni("Embiroment = " + std::to_string(mask) + "\r\n");
    Run({}, [](Settings& settings) {
      settings.LastFolders[static_cast<std::size_t>(FolderKind::kData)] = "/home/t/data/";
      settings.LastFolders[static_cast<std::size_t>(FolderKind::kExport)] = Sjis("/home/t/図/");
      settings.LastFolders[static_cast<std::size_t>(FolderKind::kPicture)] = "/a;b/";  // unstorable
      settings.ChangedMask |= kChangedLastFolders;
    });
    // Without the data directory's bit the change is not saved: no rewrite.
    const std::string expected =
        mask == 0xFFDF ? "ItemLength    = 26\r\nEmbiroment    = 65503\r\nLastDataFolder= "
                         "/home/t/data/\r\nLastExportFolder= " +
                             Sjis("/home/t/図/") + "\r\n"
                       : "Embiroment = " + std::to_string(mask) + "\r\n";
    EXPECT_EQ(IniText(), expected);
    const Settings read = Parsed(IniText());
    EXPECT_EQ(read.LastFolders[static_cast<std::size_t>(FolderKind::kData)],
              mask == 0xFFDF ? "/home/t/data/" : "");
    EXPECT_TRUE(read.LastFolders[static_cast<std::size_t>(FolderKind::kPicture)].empty());
  }
  EXPECT_FALSE(ShouldWriteSettings(Parsed("LastDocumentFolder = /x/\r\n")));
}

// The legend options and the colour scheme have no line until they are set;
// then they are saved with the legend font's and the pattern order's
// save-mask bits, and read back.
TEST_F(SettingsFileTest, LegendOptionsAndSchemeAreSavedOnceSetWithTheirKin) {
  struct Case {
    const char* name;
    std::int32_t save_mask;
    std::string added_lines;
  };
  const Case cases[] = {
      {"default mask", 0xFFDF, "LegendOptions = 5\r\nColorScheme   = Blues\r\n"},
      {"legend font not saved", 0xFFDF & ~kChangedIndexFont, "ColorScheme   = Blues\r\n"},
      {"pattern not saved", 0xFFDF & ~kChangedPattern, "LegendOptions = 5\r\n"},
  };
  for (const Case& c : cases) {
    const std::string mask = std::to_string(c.save_mask);
    WriteIni("Embiroment = " + mask + "\r\n");
    Run({}, [](Settings& settings) {
      settings.LegendOptions = kLegendMissingRow | kLegendThousands;
      settings.ColorScheme = "Blues";
      settings.ChangedMask |= kChangedLegendOptions | kChangedColorScheme;
    });
    const std::string text = IniText();
    EXPECT_EQ(text, "ItemLength    = 26\r\nEmbiroment    = " + mask + "\r\n" + c.added_lines)
        << c.name;
    const Settings read = Parsed(text);
    EXPECT_EQ(read.LegendOptions, c.added_lines.find("Legend") != std::string::npos ? 5 : 0)
        << c.name;
    EXPECT_EQ(read.ColorScheme, c.added_lines.find("Blues") != std::string::npos ? "Blues" : "")
        << c.name;
  }
  // Unknown option bits are dropped; nothing changed writes nothing.
  EXPECT_EQ(Parsed("LegendOptions = 255").LegendOptions, kLegendOptionMask);
  Settings untouched = Parsed("LegendOptions = 3\r\nColorScheme = RdBu\r\n");
  EXPECT_FALSE(ShouldWriteSettings(untouched));
}

// The legend heading and the source line: no line until set, then saved with
// the legend font's bit and read back whole; the lower-right mark with the
// source.
TEST_F(SettingsFileTest, LegendHeadingAndSourceAreSavedOnceSet) {
  WriteIni("Embiroment = 65503\r\n");
  Run({}, [](Settings& settings) {
    settings.LegendHeading = test::Sjis("単位：人");
    settings.ChangedMask |= kChangedLegendHeading;
  });
  const std::string heading_only = IniText();
  EXPECT_EQ(heading_only, "ItemLength    = 26\r\nEmbiroment    = 65503\r\nLegendHeading = " +
                              test::Sjis("単位：人") + "\r\n");
  WriteIni(heading_only);
  Run({}, [](Settings& settings) {
    settings.SourceText = test::Sjis("出典：総務省「国勢調査」");
    settings.SourceAtRight = 1;
    settings.ChangedMask |= kChangedSource;
  });
  const Settings read = Parsed(IniText());
  EXPECT_EQ(read.LegendHeading, test::Sjis("単位：人"));
  EXPECT_EQ(read.SourceText, test::Sjis("出典：総務省「国勢調査」"));
  EXPECT_EQ(read.SourceAtRight, 1);
  EXPECT_EQ(Parsed("Source = " + test::Sjis("出典：x")).SourceAtRight, 0);
  // Not saved when the legend font is not.
  WriteIni("Embiroment = " + std::to_string(0xFFDF & ~kChangedIndexFont) + "\r\n");
  Run({}, [](Settings& settings) {
    settings.SourceText = "x";
    settings.ChangedMask |= kChangedSource;
  });
  EXPECT_EQ(IniText().find("Source"), std::string::npos);
  EXPECT_FALSE(ShouldWriteSettings(Parsed("LegendHeading = a\r\nSource = R,b\r\n")));
  // A left source whose text begins like the mark keeps its place and text.
  WriteIni("Embiroment = 65503\r\n");
  Run({}, [](Settings& settings) {
    settings.SourceText = "R,x";
    settings.ChangedMask |= kChangedSource;
  });
  const Settings marked = Parsed(IniText());
  EXPECT_EQ(marked.SourceText, "R,x");
  EXPECT_EQ(marked.SourceAtRight, 0);
}

// The paper orientation of map prints has no line until it is chosen; it is
// then saved with the print magnification's save-mask bit, and read back; a
// value it does not know reads as portrait.
TEST_F(SettingsFileTest, PrintOrientationIsSavedOnceSetWithThePrintSize) {
  const std::pair<std::int32_t, std::string> cases[] = {
      {0xFFFF, "PrintOrientation= 2\r\n"}, {0xFFDF, ""},  // the default mask keeps no print size
  };
  for (const auto& [save_mask, added] : cases) {
    WriteIni("Embiroment = " + std::to_string(save_mask) + "\r\n");
    Run({}, [](Settings& settings) {
      settings.PrintOrientation = kPrintAutoOrientation;
      settings.ChangedMask |= kChangedPrintOrientation;
    });
    const std::string text = IniText();
    const std::string mask = std::to_string(save_mask);
    // Nothing to save leaves the file as it was.
    EXPECT_EQ(text, added.empty()
                        ? "Embiroment = " + mask + "\r\n"
                        : "ItemLength    = 26\r\nEmbiroment    = " + mask + "\r\n" + added);
    EXPECT_EQ(Parsed(text).PrintOrientation,
              added.empty() ? kPrintPortrait : kPrintAutoOrientation);
  }
  EXPECT_EQ(Parsed("PrintOrientation = 1").PrintOrientation, kPrintLandscape);
  EXPECT_EQ(Parsed("PrintOrientation = 7").PrintOrientation, kPrintPortrait);
  EXPECT_FALSE(ShouldWriteSettings(Parsed("PrintOrientation = 1\r\n")));
}

}  // namespace
}  // namespace kartela
