// The map-document commands: save the map shown as a .KTD document, open
// one (from the menu, the combined open button or the command line).
#pragma once

#include <QString>
#include <filesystem>

#include "ui/data/data_commands.h"
#include "ui/widgets/app_context.h"

namespace kartela {

class MapCommands;
class TDataWindow;
class TDrawWindow;

// The dialogs the commands ask with; tests replace them.
struct DocumentDialogs {
  DataDialogs::Dialog open_document;  // shows line 2 of the file, the document's title
  DataDialogs::Dialog save_document;
};

// "地図 " followed by the file name and extension of `document`.
QString MapCaptionFor(const std::filesystem::path& document);

class DocumentCommands {
 public:
  DocumentCommands(AppContext& context, TDataWindow& data_window, TDrawWindow& draw_window,
                   MapCommands& map_commands);

  void KTDSaveClick();
  // Each returns whether a document was loaded.
  bool KTDLoadClick();
  // The combined open button: a data file or, by its extension .ktd, a map
  // document.
  bool SpeedOpenClick();
  // The combined save button: the data, or the map as a document when the
  // chosen name ends in .ktd. Returns whether something was saved.
  bool SpeedSaveClick();
  // Loads the document at `path` without asking about unsaved data (the
  // command line); a failed read changes nothing but its message.
  bool OpenDocument(const std::filesystem::path& path);

  void SetDialogs(DocumentDialogs dialogs) { dialogs_ = std::move(dialogs); }

 private:
  // Saves the map as a document and reports the outcome: the notice, or
  // message 5 with its cause.
  Status SaveDocument(const std::filesystem::path& path);
  std::optional<std::filesystem::path> ChooseFile(const DataDialogs::Dialog& dialog,
                                                  const QString& title, const QString& filter,
                                                  const QString& file_name) const;

  AppContext& context_;
  TDataWindow& data_window_;
  TDrawWindow& draw_window_;
  MapCommands& map_commands_;
  DocumentDialogs dialogs_;
};

}  // namespace kartela
