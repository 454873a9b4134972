// The picture graph: one copy of a chosen picture at each area's anchor,
// its area growing with the area's value measured from the base value, and
// a reference picture with its value at the legend position. The command's
// checks are here too, so that the desktop command and kartela-cli refuse
// the same settings with the same messages.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "model/symbol_settings.h"
#include "model/value_syntax.h"
#include "render/circle_settings_check.h"
#include "render/classification.h"
#include "render/paint_context.h"
#include "render/workspace.h"

namespace kartela {

class MetafilePicture;

// The catalogue message that stops the command after the statistics:
// kMsgExponentData, kMsgNoData (no valid value, or the largest is 0),
// kMsgNegativeData; 0 to go on.
int PictureDataMessage(ValueSyntaxResult result, const ClassTables& tables);

// The texts of the settings dialog: the largest and smallest values as they
// are (never negative here), Rad half the reference picture's height.
using PictureFields = SymbolFields;

PictureFields InitialPictureFields(const SymbolSettings& settings, const ClassTables& tables);

// Checks the fields of a dialog closed with OK and stores them in
// `settings`; kMsgBadSetting when the reference value is 0 (an empty or
// non-numeric text is 0) or longer than the settings hold, with nothing
// stored, or when the base value equals it, with the height and the base
// value stored all the same; otherwise 0.
int ApplyPictureFields(const PictureFields& fields, SymbolSettings& settings);

// Makes the picture graph of `picture` (read from the program directory's
// file `file_name`, Shift-JIS) the current map: the kind, the scroll reset,
// and both decoration lists emptied.
void StartPictureGraph(Workspace& workspace, std::string file_name,
                       std::shared_ptr<const MetafilePicture> picture);

// Before each paint of the map window: reads the picture graph's picture
// again from `program_dir`, so that a replaced file shows at once. When the
// file has gone the graph draws nothing, and the file's name (UTF-8) is
// returned at the first paint that finds it gone, for the caller to say so
// once rather than at every paint.
std::optional<std::string> RefreshGlyphPicture(MapView& view,
                                               const std::filesystem::path& program_dir);

// Draws the picture graph: the outlines, one picture per area with a
// positive value, the title, the reference picture and its label at the
// legend position, and the area names. Without a picture nothing is drawn.
void DrawPictureGraph(const PaintContext& context);

}  // namespace kartela
