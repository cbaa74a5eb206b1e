// tarvoxfer: downloads an application image into a terminal over a serial line.
#include "driver/transfer_program.h"

int main(int argc, char** argv) { return tarvo::xfer::runTransferProgram(argc, argv); }
