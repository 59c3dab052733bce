// Serial ports as the system lists them, and finding a board again after it reset.
#pragma once

#include <string>
#include <vector>

// A port as the system lists it.
struct PortEntry {
    std::string name; // what opens it: "/dev/ttyACM0", "COM7"
    std::string description;
    std::string maker;
    bool usb = false;
    int vendor = -1;    // USB vendor id, -1 when unknown
    int product = -1;   // USB product id, -1 when unknown
    std::string serial; // the USB device's serial number, empty when it gives none
};

// The port to open to reach `board` again after its port went away (a reset, a replug). A USB
// board is known by its vendor and product ids and its serial number, whatever name the system
// gives it now, and its old name is not opened while another device holds it. A board without
// a serial number is known by its ids when exactly one port has them, else by its old name if
// that has them, so that of two alike boards neither is taken for the other. A port that is not
// USB has only its name. Empty while the board is not back.
std::string port_to_reopen(const std::vector<PortEntry>& ports, const PortEntry& board);
