// The byte stream to a board (or to a local interpreter): a serial port, or a pseudo-terminal
// such as a board simulator or a virtual port made by socat. Reads arrive by signal; writes
// are queued and never block.
#pragma once

#include <QByteArray>
#include <QObject>

#include <memory>
#include <string>

class QSerialPort;
class QSocketNotifier;

class DeviceLink : public QObject {
    Q_OBJECT
  public:
    ~DeviceLink() override = default;
    virtual bool is_open() const = 0;
    virtual void write(const QByteArray& bytes) = 0;
    virtual QByteArray read_all() = 0;
    // Bytes accepted by write() and not yet handed to the system.
    virtual qint64 bytes_to_write() const = 0;
    virtual void close() = 0;

  signals:
    void ready_read();
    // The other end went away (a board unplugged or reset); the link is closed.
    void lost(const QString& why);
};

// A terminal device opened by file descriptor: the master side of a pty pair we made, or a
// device path opened raw. Owns the descriptor.
class FdLink : public DeviceLink {
    Q_OBJECT
  public:
    explicit FdLink(int fd);
    ~FdLink() override;
    bool is_open() const override { return fd_ >= 0; }
    void write(const QByteArray& bytes) override;
    QByteArray read_all() override;
    qint64 bytes_to_write() const override { return pending_.size(); }
    void close() override;

  private:
    void on_readable();
    void flush();
    void drop(const QString& why);

    int fd_;
    QByteArray received_;
    QByteArray pending_;
    std::unique_ptr<QSocketNotifier> read_notifier_;
    std::unique_ptr<QSocketNotifier> write_notifier_;
};

class SerialPortLink : public DeviceLink {
    Q_OBJECT
  public:
    explicit SerialPortLink(std::unique_ptr<QSerialPort> port);
    ~SerialPortLink() override;
    bool is_open() const override;
    void write(const QByteArray& bytes) override;
    QByteArray read_all() override;
    qint64 bytes_to_write() const override;
    void close() override;

  private:
    std::unique_ptr<QSerialPort> port_;
};

// Opens `port` at `speed` (8 data bits, no parity, one stop bit, no flow control). Paths of
// pseudo-terminals are opened directly, since serial line settings mean nothing to them; other
// names go through the serial port module. Null with `error` set when it cannot be opened.
std::unique_ptr<DeviceLink> open_device_link(const std::string& port, int speed,
                                             std::string& error);
