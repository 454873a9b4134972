// What the map commands of kartela-cli (render, print) share: the Qt
// application they draw under, and the map they read from INPUT and the
// options that choose it.
#pragma once

#include <QGuiApplication>
#include <memory>

#include "app/cli_commands.h"
#include "app/cli_options.h"
#include "render/workspace.h"

namespace kartela {

// An application on the offscreen platform unless one is chosen; nothing
// when there is one already.
std::unique_ptr<QGuiApplication> StartGui();

// Fills `workspace` with the map of INPUT (a data file, a base map or a
// document) drawn with the settings of --settings; false, with a message,
// when it cannot.
bool LoadMapInput(const CliContext& context, const CliArguments& arguments, Workspace& workspace);

}  // namespace kartela
