# Writes an application image in the compiler's HEX format with a given
# amount of code, for download measurements: the header records, code data
# in records of 32 bytes from 0x8000 upward (continuing at 0x0000 past
# 0xFFFF), the end-of-code record with its checksum word, the end record.
#
#   awk -v bytes=65024 -v model=VK81 -v nodes=1000 -f synthetic_image.awk > app.hex
#
# bytes: data bytes in all (at least 6, at most 65535); model: VK7100, VK61
# or VK81. The code bytes are a fixed pseudo-random sequence, so every run
# writes the same file.

function record(address, type, data,    count, sum, i, text) {
    count = length(data) / 2
    sum = count + int(address / 256) + address % 256 + type
    for (i = 1; i <= length(data); i += 2) sum += hexValue[substr(data, i, 2)]
    text = sprintf(":%02X%04X%02X%s%02X", count, address, type, data, (256 - sum % 256) % 256)
    printf "%s\r\n", text
}

BEGIN {
    if (bytes == "") bytes = 65024
    if (model == "") model = "VK81"
    if (nodes == "") nodes = 1000
    bytes += 0
    if (bytes < 6 || bytes > 65535) {
        print "synthetic_image.awk: bytes must be 6 to 65535" > "/dev/stderr"
        exit 2
    }
    for (i = 0; i < 256; i++) hexValue[sprintf("%02X", i)] = i

    record(0, 1, "00000000")
    record(0, 1, sprintf("%04X", nodes))
    if (model == "VK61") record(0, 1, "564B3631")
    else if (model == "VK81") record(0, 1, "564B3831")
    else if (model != "VK7100") {
        print "synthetic_image.awk: model must be VK7100, VK61 or VK81" > "/dev/stderr"
        exit 2
    }
    record(0, 2, "3000")

    # Code: every byte but the last six, in full records; a record never
    # passes 0xFFFF, the next one starts at 0x0000.
    address = 32768
    code = bytes - 6
    seed = 12345
    sum = 0
    data = ""
    for (n = 0; n < code; n++) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        value = int(seed / 65536) % 256
        sum += value
        data = data sprintf("%02X", value)
        if (length(data) == 64 || address + length(data) / 2 > 65535 || n == code - 1) {
            record(address, 0, data)
            address = (address + length(data) / 2) % 65536
            data = ""
        }
    }
    # End of code: two end words and the checksum word, low byte first, in a
    # record of their own.
    sum += 112 + 1 + 112 + 1
    check = 256 - sum % 256
    record(address, 0, sprintf("70017001%02X%02X", check % 256, int(check / 256)))
    record(0, 1, "")
}
