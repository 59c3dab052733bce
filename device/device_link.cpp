// Serial port and pseudo-terminal links.
#include "device/device_link.h"

#include <QSerialPort>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

FdLink::FdLink(int fd) : fd_(fd) {
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    read_notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(read_notifier_.get(), &QSocketNotifier::activated, this, [this] { on_readable(); });
    write_notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Write);
    write_notifier_->setEnabled(false);
    connect(write_notifier_.get(), &QSocketNotifier::activated, this, [this] { flush(); });
}

FdLink::~FdLink() {
    close();
}

void FdLink::close() {
    read_notifier_.reset();
    write_notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    pending_.clear();
}

void FdLink::drop(const QString& why) {
    close();
    emit lost(why);
}

void FdLink::on_readable() {
    char buffer[16384];
    bool any = false;
    for (int round = 0; round < 16 && fd_ >= 0; ++round) {
        ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got > 0) {
            received_.append(buffer, got);
            any = true;
            if (got < static_cast<ssize_t>(sizeof buffer)) break;
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) break;
        // End of file or EIO: the other side of the terminal is gone.
        QString why = got == 0 ? QStringLiteral("the device closed")
                               : QString::fromLocal8Bit(std::strerror(errno));
        if (any) emit ready_read();
        drop(why);
        return;
    }
    if (any) emit ready_read();
}

QByteArray FdLink::read_all() {
    return std::exchange(received_, {});
}

void FdLink::write(const QByteArray& bytes) {
    if (fd_ < 0) return;
    pending_.append(bytes);
    flush();
}

void FdLink::flush() {
    while (fd_ >= 0 && !pending_.isEmpty()) {
        ssize_t put = ::write(fd_, pending_.constData(), static_cast<size_t>(pending_.size()));
        if (put > 0) {
            pending_.remove(0, put);
            continue;
        }
        if (put < 0 && (errno == EAGAIN || errno == EINTR)) break;
        drop(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (write_notifier_) write_notifier_->setEnabled(!pending_.isEmpty());
}

SerialPortLink::SerialPortLink(std::unique_ptr<QSerialPort> port) : port_(std::move(port)) {
    connect(port_.get(), &QSerialPort::readyRead, this, &DeviceLink::ready_read);
    connect(port_.get(), &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // A USB board that resets or is unplugged reports a resource error.
        if (e == QSerialPort::ResourceError || e == QSerialPort::PermissionError) {
            QString why = port_->errorString();
            port_->close();
            emit lost(why);
        }
    });
}

SerialPortLink::~SerialPortLink() = default;

bool SerialPortLink::is_open() const {
    return port_->isOpen();
}
void SerialPortLink::write(const QByteArray& bytes) {
    if (port_->isOpen()) port_->write(bytes);
}
QByteArray SerialPortLink::read_all() {
    return port_->readAll();
}
qint64 SerialPortLink::bytes_to_write() const {
    return port_->bytesToWrite();
}
void SerialPortLink::close() {
    port_->close();
}

namespace {

bool is_pseudo_terminal_path(const std::string& port) {
    return port.rfind("/dev/pts/", 0) == 0;
}

} // namespace

std::unique_ptr<DeviceLink> open_device_link(const std::string& port, int speed,
                                             std::string& error) {
    if (is_pseudo_terminal_path(port)) {
        int fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            error = std::strerror(errno);
            return nullptr;
        }
        termios raw{};
        if (::tcgetattr(fd, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(fd, TCSANOW, &raw);
        }
        return std::make_unique<FdLink>(fd);
    }
    auto serial = std::make_unique<QSerialPort>();
    serial->setPortName(QString::fromStdString(port));
    if (!serial->open(QIODevice::ReadWrite)) {
        error = serial->errorString().toStdString();
        return nullptr;
    }
    serial->setBaudRate(speed);
    serial->setDataBits(QSerialPort::Data8);
    serial->setParity(QSerialPort::NoParity);
    serial->setStopBits(QSerialPort::OneStop);
    serial->setFlowControl(QSerialPort::NoFlowControl);
    serial->setDataTerminalReady(true); // the boards' USB console talks only with DTR set
    return std::make_unique<SerialPortLink>(std::move(serial));
}
