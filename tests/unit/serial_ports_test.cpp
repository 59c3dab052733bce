// Knowing a USB board again when its port comes back, maybe under another name.
#include "device/serial_ports.h"

#include <gtest/gtest.h>

namespace {

PortEntry usb(const std::string& name, int vendor, int product, const std::string& serial) {
    PortEntry port;
    port.name = name;
    port.usb = true;
    port.vendor = vendor;
    port.product = product;
    port.serial = serial;
    return port;
}

TEST(SerialPorts, ABoardIsReopenedOnlyWhereItsOwnIdentityIs) {
    const PortEntry board = usb("/dev/ttyACM0", 0x2E8A, 0x000A, "E66138");
    PortEntry no_serial = board;
    no_serial.serial.clear();
    PortEntry pty;
    pty.name = "/dev/pts/3";
    PortEntry stranger;
    stranger.name = "/dev/ttyACM0"; // the old name, now another device's
    struct Case {
        const char* what;
        PortEntry board;
        std::vector<PortEntry> ports;
        std::string expected;
    } cases[] = {
        {"back under its name", board, {board}, "/dev/ttyACM0"},
        {"same serial, new name",
         board,
         {stranger, usb("/dev/ttyACM1", 0x2E8A, 0x000A, "E66138")},
         "/dev/ttyACM1"},
        {"old name taken by another device", board, {stranger}, ""},
        {"another board of the same kind",
         board,
         {usb("/dev/ttyACM1", 0x2E8A, 0x000A, "F00D")},
         ""},
        {"other ids, same serial", board, {usb("/dev/ttyACM1", 0x0403, 0x6001, "E66138")}, ""},
        {"no serial, one alike port",
         no_serial,
         {usb("/dev/ttyACM2", 0x2E8A, 0x000A, "")},
         "/dev/ttyACM2"},
        {"no serial, two alike ports, one the old name",
         no_serial,
         {usb("/dev/ttyACM1", 0x2E8A, 0x000A, ""), usb("/dev/ttyACM0", 0x2E8A, 0x000A, "")},
         "/dev/ttyACM0"},
        {"no serial, two alike ports elsewhere",
         no_serial,
         {usb("/dev/ttyACM1", 0x2E8A, 0x000A, ""), usb("/dev/ttyACM2", 0x2E8A, 0x000A, "")},
         ""},
        {"not a USB port: its name", pty, {}, "/dev/pts/3"},
        {"not back yet", board, {}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(port_to_reopen(c.ports, c.board), c.expected) << c.what;
}

} // namespace
