#include "device/serial_ports.h"

namespace {

bool same_ids(const PortEntry& port, const PortEntry& board) {
    return port.usb && port.vendor == board.vendor && port.product == board.product;
}

} // namespace

std::string port_to_reopen(const std::vector<PortEntry>& ports, const PortEntry& board) {
    if (!board.usb || board.vendor < 0 || board.product < 0) return board.name;
    std::string alike_name;
    int alike = 0;
    bool old_name_alike = false;
    for (const PortEntry& port : ports) {
        if (!same_ids(port, board)) continue;
        if (!board.serial.empty()) {
            if (port.serial == board.serial) return port.name;
            continue;
        }
        ++alike;
        alike_name = port.name;
        old_name_alike = old_name_alike || port.name == board.name;
    }
    if (alike == 1) return alike_name;
    return old_name_alike ? board.name : std::string();
}
