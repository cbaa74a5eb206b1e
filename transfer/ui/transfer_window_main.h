// Entry points of tarvoxfer's window.
#pragma once
#include "driver/command_line.h"
#include "driver/port_settings.h"
#include "transfer_dialogs.h"

namespace tarvo::xfer {

/// Creates the application object, then runs the window; answers the exit code.
int runTransferWindow(int argc, char** argv, const CommandLine& cl);

/// Runs the window in an existing application: startup checks shown as boxes
/// through `dialogs`, then the window until it exits.
int runTransferWindowIn(const CommandLine& cl, TransferDialogs& dialogs, PortSettings store);

}  // namespace tarvo::xfer
