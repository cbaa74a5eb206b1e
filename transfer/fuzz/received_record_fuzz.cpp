// Fuzz target: records as the terminal sends them, through the record parser
// and the OS record conversion.
#include <cstddef>
#include <cstdint>
#include <string>

#include "image/hex_record.h"
#include "protocol/transfer_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (bool upperOnly : {true, false}) {
        auto rec = tarvo::xfer::parseHexRecord(text, upperOnly);
        if (rec && rec->data.size() > rec->count) __builtin_trap();
        if (rec && rec->checksumOk && !rec->complete) __builtin_trap();
    }
    (void)tarvo::xfer::TransferSession::convertOsRecord(text);
    return 0;
}
