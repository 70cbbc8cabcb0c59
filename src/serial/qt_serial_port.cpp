#include "serial/qt_serial_port.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <cstring>
#include <map>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "common/ascii.h"
#include "serial/system_ports.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/file.h>
#include <termios.h>
#endif

namespace zelvar {
namespace {

// Generous room beyond the bytes' own time on the line.
constexpr std::chrono::milliseconds kWriteMargin{2000};

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    if (!text.empty() && text.back() == ',')
        parts.emplace_back();
    return parts;
}

// The platform's word that the bytes handed to the driver have gone out of the port.
Result<> drain(QSerialPort& port) {
#if defined(_WIN32)
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(port.handle())))
        return failure("Write failed: the port could not flush its output");
#else
    if (tcdrain(port.handle()) != 0)
        return failure(std::string("Write failed: ") + std::strerror(errno));
#endif
    return Result<>{};
}

// How long `bytes` characters take on the line: start bit, data bits, parity bit and stop bits
// each.
std::chrono::microseconds timeOnLine(std::size_t bytes, const LineSettings& settings) {
    // In half bits, for one and a half stop bits.
    long long halfBits = 2 * (1 + static_cast<long long>(settings.dataBits));
    halfBits += settings.parity == QSerialPort::NoParity ? 0 : 2;
    halfBits += settings.stopBits == QSerialPort::OneStop          ? 2
                : settings.stopBits == QSerialPort::OneAndHalfStop ? 3
                                                                   : 4;
    const long long total = static_cast<long long>(bytes) * halfBits * 1'000'000;
    const long long halfRate = 2LL * settings.baud;
    return std::chrono::microseconds((total + halfRate - 1) / halfRate);
}

}  // namespace

Result<LineSettings> parseLineSettings(const std::string& text) {
    LineSettings parsed;
    std::vector<std::string> parts = splitAtCommas(text);
    auto refuse = [&](std::string why) {
        return failure("Invalid line settings '" + text + "': " + std::move(why));
    };
    if (parts.size() != 4)
        return refuse("expected speed,parity,data bits,stop bits");
    if (parts[0].size() > 7 || !isAllDigits(parts[0]) || std::stoi(parts[0]) == 0)
        return refuse("unsupported speed '" + parts[0] + "'");
    parsed.baud = std::stoi(parts[0]);

    static const std::map<std::string, QSerialPort::Parity, std::less<>> parities = {
        {"n", QSerialPort::NoParity},
        {"e", QSerialPort::EvenParity},
        {"o", QSerialPort::OddParity},
        {"m", QSerialPort::MarkParity},
        {"s", QSerialPort::SpaceParity}};
    static const std::map<std::string, QSerialPort::DataBits, std::less<>> dataBits = {
        {"5", QSerialPort::Data5},
        {"6", QSerialPort::Data6},
        {"7", QSerialPort::Data7},
        {"8", QSerialPort::Data8}};
    static const std::map<std::string, QSerialPort::StopBits, std::less<>> stopBits = {
        {"1", QSerialPort::OneStop},
        {"1.5", QSerialPort::OneAndHalfStop},
        {"2", QSerialPort::TwoStop}};
    auto parity = parities.find(asciiLowered(parts[1]));
    if (parity == parities.end())
        return refuse("unsupported parity '" + parts[1] + "'");
    auto bits = dataBits.find(parts[2]);
    if (bits == dataBits.end())
        return refuse("unsupported data bits '" + parts[2] + "'");
    auto stops = stopBits.find(parts[3]);
    if (stops == stopBits.end())
        return refuse("unsupported stop bits '" + parts[3] + "'");
    parsed.parity = parity->second;
    parsed.dataBits = bits->second;
    parsed.stopBits = stops->second;
    return parsed;
}

PortResolver fixedDevice(std::string location) {
    return [location = std::move(location)](int) {
        return Result<SerialDevice>(SerialDevice{location, location, {}});
    };
}

QtSerialPort::QtSerialPort(PortResolver resolver)
    : resolver_(resolver ? std::move(resolver) : PortResolver(resolveSystemPort)) {
    writeDeadline_.setSingleShot(true);
    QObject::connect(&writeDeadline_, &QTimer::timeout, &port_,
                     [this] { finishWrite(layerFailure("Write failed")); });
    wireTimer_.setSingleShot(true);
    wireTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wireTimer_, &QTimer::timeout, &port_, [this] { waitForWire(); });
    QObject::connect(&port_, &QSerialPort::bytesWritten, &port_, [this] {
        if (writeDone_ && port_.bytesToWrite() == 0) {
            writeDeadline_.stop();
            waitForWire();
        }
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) {
                         if (error != QSerialPort::NoError)
                             finishWrite(layerFailure("Write failed"));
                     });
}

QtSerialPort::~QtSerialPort() {
    port_.close();
}

Result<> QtSerialPort::setSettings(const std::string& settings) {
    Result<LineSettings> parsed = parseLineSettings(settings);
    if (!parsed)
        return tl::unexpected(parsed.error());
    settings_ = *parsed;
    return port_.isOpen() ? applySettings() : Result<>{};
}

Result<> QtSerialPort::setPortNumber(int number) {
    if (port_.isOpen())
        return failure("The port number cannot change while the port is open");
    location_.clear();
    Result<SerialDevice> resolved = resolver_(number);
    if (!resolved)
        return tl::unexpected(resolved.error());
    location_ = resolved->location;
    return Result<>{};
}

Result<> QtSerialPort::open() {
    if (port_.isOpen())
        return failure("Cannot open " + location_ + ": the port is already open");
    if (location_.empty())
        return failure("Cannot open the port: no serial port was chosen");
    port_.clearError();
    port_.setPortName(QString::fromStdString(location_));
    if (!port_.open(QIODevice::WriteOnly)) {
        return failure("Cannot open " + location_ + ": " + port_.errorString().toStdString());
    }
#if !defined(_WIN32)
    // A receiving program locks the device for itself; the device's exclusive mode, which
    // QSerialPort sets, does not bind root, so the lock is what keeps root's SEND off it too.
    if (::flock(port_.handle(), LOCK_SH | LOCK_NB) != 0) {
        port_.close();
        return failure(location_ + " is in use: another program holds a lock on it");
    }
#endif
    if (Result<> status = applySettings(); !status) {
        port_.close();
        return status;
    }
    return Result<>{};
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

Result<> QtSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen())
        return failure("Write failed: the port is not open");
    port_.clearError();
    const Clock::time_point started = Clock::now();
    const auto size = static_cast<qint64>(bytes.size());
    qint64 accepted = port_.write(reinterpret_cast<const char*>(bytes.data()), size);
    if (accepted != size)
        return layerFailure("Write failed");
    QDeadlineTimer deadline(writeDeadline(size).count());
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return layerFailure("Write failed");
    }
    if (port_.error() != QSerialPort::NoError)
        return layerFailure("Write failed");
    if (Result<> drained = drain(port_); !drained)
        return drained;
    std::this_thread::sleep_until(started + timeOnLine(bytes.size(), settings_));
    return Result<>{};
}

Result<> QtSerialPort::startWrite(std::span<const std::uint8_t> bytes, WriteDone done) {
    if (!port_.isOpen())
        return failure("Write failed: the port is not open");
    port_.clearError();
    wireClearAt_ = Clock::now() + timeOnLine(bytes.size(), settings_);
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        return layerFailure("Write failed");
    writeDone_ = std::move(done);
    writeDeadline_.start(writeDeadline(size));
    return Result<>{};
}

void QtSerialPort::waitForWire() {
    // A timer may fire a little early.
    const Clock::duration left = wireClearAt_ - Clock::now();
    if (left > Clock::duration::zero())
        wireTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(left));
    else
        finishWrite(Result<>{});
}

void QtSerialPort::finishWrite(Result<> status) {
    // Only a write that is waiting hears of it: the blocking write sees the same signals.
    if (!writeDone_)
        return;
    writeDeadline_.stop();
    wireTimer_.stop();
    WriteDone done = std::exchange(writeDone_, {});
    done(std::move(status));
}

Result<> QtSerialPort::close() {
    writeDone_ = {};
    writeDeadline_.stop();
    wireTimer_.stop();
    if (!port_.isOpen())
        return Result<>{};
    port_.clearError();
    port_.close();
    if (port_.error() != QSerialPort::NoError)
        return layerFailure("Close failed");
    return Result<>{};
}

std::chrono::milliseconds QtSerialPort::writeDeadline(qint64 bytes) const {
    return std::chrono::ceil<std::chrono::milliseconds>(
               timeOnLine(static_cast<std::size_t>(bytes), settings_)) +
           kWriteMargin;
}

Result<> QtSerialPort::applySettings() {
    bool applied = port_.setBaudRate(settings_.baud) && port_.setParity(settings_.parity) &&
                   port_.setDataBits(settings_.dataBits) && port_.setStopBits(settings_.stopBits);
    return applied ? Result<>{} : layerFailure("Line settings refused");
}

Result<> QtSerialPort::layerFailure(std::string_view doing) {
    std::string reason = port_.errorString().toStdString();
    if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError)
        reason = "the bytes did not leave the port in time";
    return failure(std::string(doing) + " on " + location_ + ": " + reason);
}

}  // namespace zelvar
