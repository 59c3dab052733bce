// The connection dialog's choices: the ports in order and what is preselected.
#include "base/settings.h"
#include "device/connect_dialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ConnectDialog, UsbBoardsComeFirstAndTheStoredPortIsPreselectedOnlyWhenPresent) {
    std::vector<PortEntry> ports = order_ports({{"/dev/ttyS0", "", "", false},
                                                {"/dev/ttyUSB1", "CP2102", "Silicon Labs", true},
                                                {"/dev/ttyACM0", "PicoMite", "", true}});
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].name, "/dev/ttyACM0");
    EXPECT_EQ(ports[1].name, "/dev/ttyUSB1");
    EXPECT_EQ(ports[2].name, "/dev/ttyS0");
    EXPECT_EQ(preselected_port(ports, "/dev/ttyUSB1"), 1);
    EXPECT_EQ(preselected_port(ports, "com7"), -1);

    Settings fresh;
    EXPECT_EQ(preselected_speed(fresh), 115200);
    Settings used;
    used.device_used = 1;
    used.serial_speed = 38400;
    EXPECT_EQ(preselected_speed(used), 38400);
}

} // namespace
