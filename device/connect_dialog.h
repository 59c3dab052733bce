// The connection dialog: which port, how fast, and the pauses of an AUTOSAVE send.
#pragma once

#include "device/serial_ports.h"

#include <optional>
#include <string>
#include <vector>

struct ConnectionChoice;
struct Settings;
class QWidget;

// Whether a port looks like a Maximite-family board: the Raspberry Pi vendor id that PicoMite
// boards (RP2040 / RP2350) report, or a description naming a Pico or a Maximite.
bool looks_like_maximite(const PortEntry& port);

// Ports that look like boards first, then other USB ports (boards are USB devices), then by name;
// the entry to preselect: the stored "comport" when it is in the list, else none (-1).
std::vector<PortEntry> order_ports(std::vector<PortEntry> ports);
int preselected_port(const std::vector<PortEntry>& ports, const std::string& stored);
// The speeds the firmware uses, and the one to preselect: the stored one once the user has
// connected, 115200 for a new user.
const std::vector<int>& board_speeds();
int preselected_speed(const Settings& settings);

// The serial ports the system has now, in the order above.
std::vector<PortEntry> available_ports();

// Shows the modal dialog over `parent`, filled from `settings`; empty when cancelled. The
// choice to set the board's clock goes straight into `settings`.
std::optional<ConnectionChoice> choose_connection_by_dialog(QWidget* parent, Settings& settings);
