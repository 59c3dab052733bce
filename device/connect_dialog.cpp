// The connection dialog.
#include "device/connect_dialog.h"

#include "base/settings.h"
#include "device/device_session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSpinBox>

#include <algorithm>
#include <cctype>

bool looks_like_maximite(const PortEntry& port) {
    constexpr int raspberry_pi_vendor = 0x2E8A;
    if (port.vendor == raspberry_pi_vendor) return true;
    std::string text = port.description + " " + port.maker;
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text.find("pico") != std::string::npos || text.find("maximite") != std::string::npos;
}

std::vector<PortEntry> order_ports(std::vector<PortEntry> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
        if (looks_like_maximite(a) != looks_like_maximite(b)) return looks_like_maximite(a);
        if (a.usb != b.usb) return a.usb;
        return a.name < b.name;
    });
    return ports;
}

int preselected_port(const std::vector<PortEntry>& ports, const std::string& stored) {
    for (std::size_t i = 0; i < ports.size(); ++i)
        if (ports[i].name == stored) return static_cast<int>(i);
    return -1;
}

const std::vector<int>& board_speeds() {
    static const std::vector<int> speeds = {9600,   19200,  38400,  57600,
                                            115200, 230400, 460800, 921600};
    return speeds;
}

int preselected_speed(const Settings& settings) {
    // 1200 is never offered: it restarts a USB board into its firmware loader.
    return settings.device_used && DeviceSession::speed_allowed(settings.serial_speed)
               ? settings.serial_speed
               : 115200;
}

std::vector<PortEntry> available_ports() {
    std::vector<PortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortEntry entry;
        // On Linux a port opens by its path; elsewhere by its name.
        entry.name = (info.systemLocation().startsWith(QLatin1Char('/')) ? info.systemLocation()
                                                                         : info.portName())
                         .toStdString();
        entry.description = info.description().toStdString();
        entry.maker = info.manufacturer().toStdString();
        entry.usb = info.hasVendorIdentifier();
        if (entry.usb) entry.vendor = info.vendorIdentifier();
        if (info.hasProductIdentifier()) entry.product = info.productIdentifier();
        entry.serial = info.serialNumber().toStdString();
        ports.push_back(entry);
    }
    return order_ports(std::move(ports));
}

std::optional<ConnectionChoice> choose_connection_by_dialog(QWidget* parent, Settings& settings) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("connect_dialog"));
    dialog.setWindowTitle(QStringLiteral("Connect to Maximite"));
    auto* form = new QFormLayout(&dialog);

    auto* port = new QComboBox(&dialog);
    port->setEditable(true); // a port the system does not list (a pty, a socat port)
    std::vector<PortEntry> ports = available_ports();
    for (const PortEntry& entry : ports) {
        QString text = QString::fromStdString(entry.name);
        QString detail = QString::fromStdString(entry.description);
        if (!entry.maker.empty())
            detail += QStringLiteral(", ") + QString::fromStdString(entry.maker);
        if (!detail.isEmpty()) text += QStringLiteral("  (") + detail + QLatin1Char(')');
        if (looks_like_maximite(entry)) text += QStringLiteral("  - a Maximite-family board?");
        port->addItem(text, QString::fromStdString(entry.name));
    }
    int selected = preselected_port(ports, settings.comport);
    port->setCurrentIndex(selected);
    if (selected < 0) port->setEditText(QString());
    form->addRow(QStringLiteral("Port"), port);

    auto* speed = new QComboBox(&dialog);
    for (int s : board_speeds()) speed->addItem(QString::number(s), s);
    int wanted = preselected_speed(settings);
    int speed_index = speed->findData(wanted);
    if (speed_index < 0) {
        speed->addItem(QString::number(wanted), wanted);
        speed_index = speed->count() - 1;
    }
    speed->setCurrentIndex(speed_index);
    form->addRow(QStringLiteral("Speed"), speed);

    auto* char_delay = new QSpinBox(&dialog);
    char_delay->setRange(0, 1000);
    char_delay->setSuffix(QStringLiteral(" ms"));
    char_delay->setValue(std::clamp(settings.char_delay, 0, 1000));
    form->addRow(QStringLiteral("Pause after each character"), char_delay);
    auto* line_delay = new QSpinBox(&dialog);
    line_delay->setRange(0, 5000);
    line_delay->setSuffix(QStringLiteral(" ms"));
    line_delay->setValue(std::clamp(settings.line_delay, 0, 5000));
    form->addRow(QStringLiteral("Pause after each line"), line_delay);

    // The board's clock restarts at 01-01-2024 on power-up, and its files take its date.
    auto* clock =
        new QCheckBox(QStringLiteral("Set the board's clock from this computer's"), &dialog);
    clock->setObjectName(QStringLiteral("set_clock_on_connect"));
    clock->setChecked(settings.set_clock_on_connect != 0);
    form->addRow(QString(), clock);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Connect"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    ConnectionChoice choice;
    int index = port->currentIndex();
    QString typed = port->currentText().trimmed();
    choice.port = index >= 0 && port->itemText(index) == port->currentText()
                      ? port->itemData(index).toString().toStdString()
                      : typed.toStdString();
    if (choice.port.empty()) return std::nullopt;
    choice.speed = speed->currentData().toInt();
    choice.char_delay = char_delay->value();
    choice.line_delay = line_delay->value();
    settings.set_clock_on_connect = clock->isChecked() ? 1 : 0;
    return choice;
}
