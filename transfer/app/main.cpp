// tarvoxfer: downloads an application image into a terminal over a serial line.
#include "driver/transfer_program.h"

#ifdef TARVO_TRANSFER_GUI
#include "transfer_window_main.h"
constexpr tarvo::xfer::WindowRunner kWindow = tarvo::xfer::runTransferWindow;
#else
constexpr tarvo::xfer::WindowRunner kWindow = nullptr;
#endif

int main(int argc, char** argv) { return tarvo::xfer::runTransferProgram(argc, argv, kWindow); }
