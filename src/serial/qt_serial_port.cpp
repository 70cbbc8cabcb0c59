#include "serial/qt_serial_port.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cerrno>
#include <map>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "common/ascii.h"
#include "serial/system_ports.h"
#include "text/system_error.h"
#include "text/translation.h"
#include "transfer/transfer_plan.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace zelvar {
namespace {

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    if (!text.empty() && text.back() == ',')
        parts.emplace_back();
    return parts;
}

#if defined(_WIN32)
using Descriptor = HANDLE;
#else
using Descriptor = int;
#endif

// The platform's word that the bytes handed to the driver have gone out of the port.
Result<> drainDescriptor(Descriptor descriptor) {
#if defined(_WIN32)
    if (!FlushFileBuffers(descriptor))
        return failure(std::string(
            translated("serial port", "Write failed: the port could not flush its output")));
#else
    if (tcdrain(descriptor) != 0)
        return failure(
            withArguments(translated("serial port", "Write failed: %1"), {systemErrorText(errno)}));
#endif
    return Result<>{};
}

// A drain on a thread of its own works on a descriptor of its own: one that outlives the port's
// close (an adapter that has stopped sending) then holds nobody else's.
Result<Descriptor> duplicate(QSerialPort& port) {
#if defined(_WIN32)
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(port.handle()),
                         GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return failure(
            std::string(translated("serial port", "Write failed: the port could not be drained")));
    return copy;
#else
    const int copy = ::dup(port.handle());
    if (copy < 0)
        return failure(
            withArguments(translated("serial port", "Write failed: %1"), {systemErrorText(errno)}));
    return copy;
#endif
}

void release(Descriptor descriptor) {
#if defined(_WIN32)
    CloseHandle(descriptor);
#else
    ::close(descriptor);
#endif
}

}  // namespace

Result<LineSettings> parseLineSettings(const std::string& text) {
    LineSettings parsed;
    std::vector<std::string> parts = splitAtCommas(text);
    auto refuse = [&](std::string_view why) {
        return tl::unexpected(invalidLineSettings(text, why));
    };
    if (parts.size() != 4)
        return refuse(
            std::string(translated("serial port", "expected speed,parity,data bits,stop bits")));
    if (Result<> chosen = checkSpeedChosen(text); !chosen)
        return tl::unexpected(chosen.error());
    if (parts[0].size() > 7 || !isAllDigits(parts[0]) || std::stoi(parts[0]) == 0)
        return refuse(
            withArguments(translated("serial port", "unsupported speed '%1'"), {parts[0]}));
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
        return refuse(
            withArguments(translated("serial port", "unsupported parity '%1'"), {parts[1]}));
    auto bits = dataBits.find(parts[2]);
    if (bits == dataBits.end())
        return refuse(
            withArguments(translated("serial port", "unsupported data bits '%1'"), {parts[2]}));
    auto stops = stopBits.find(parts[3]);
    if (stops == stopBits.end())
        return refuse(
            withArguments(translated("serial port", "unsupported stop bits '%1'"), {parts[3]}));
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
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, &port_,
                     [this] { finish(layerFailure(translated("serial port", "Write failed"))); });
    QObject::connect(&port_, &QSerialPort::bytesWritten, &port_, [this] {
        if (done_ && port_.bytesToWrite() == 0)
            finish(Result<>{});
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) {
                         if (error != QSerialPort::NoError)
                             finish(layerFailure(translated("serial port", "Write failed")));
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
        return failure(std::string(
            translated("serial port", "The port number cannot change while the port is open")));
    location_.clear();
    Result<SerialDevice> resolved = resolver_(number);
    if (!resolved)
        return tl::unexpected(resolved.error());
    location_ = resolved->location;
    return Result<>{};
}

Result<> QtSerialPort::open() {
    if (port_.isOpen())
        return failure(withArguments(
            translated("serial port", "Cannot open %1: the port is already open"), {location_}));
    if (location_.empty())
        return failure(std::string(
            translated("serial port", "Cannot open the port: no serial port was chosen")));
    port_.clearError();
    port_.setPortName(QString::fromStdString(location_));
    if (!port_.open(QIODevice::WriteOnly)) {
        return failure(
            withArguments(translated("serial port", "Cannot open %1: %2"),
                          {location_, systemWordsInLanguage(port_.errorString().toStdString())}));
    }
#if !defined(_WIN32)
    // A receiving program locks the device for itself, and so does SEND: the device's exclusive
    // mode, which QSerialPort sets, does not bind root, and its lock file goes by the name the
    // device was opened by, so this lock is what keeps a second send off it under another name.
    if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0) {
        port_.close();
        return failure(withArguments(
            translated("serial port", "%1 is in use: another program holds a lock on it"),
            {location_}));
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
        return failure(
            std::string(translated("serial port", "Write failed: the port is not open")));
    port_.clearError();
    const auto size = static_cast<qint64>(bytes.size());
    lastWrite_ = size;
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        return layerFailure(translated("serial port", "Write failed"));
    QDeadlineTimer deadline(deadlineFor(size).count());
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return layerFailure(translated("serial port", "Write failed"));
    }
    if (port_.error() != QSerialPort::NoError)
        return layerFailure(translated("serial port", "Write failed"));
    return Result<>{};
}

Result<> QtSerialPort::drain() {
    if (!port_.isOpen())
        return failure(
            std::string(translated("serial port", "Write failed: the port is not open")));
    return drainDescriptor(static_cast<Descriptor>(port_.handle()));
}

Result<> QtSerialPort::startWrite(std::span<const std::uint8_t> bytes, Done done) {
    if (!port_.isOpen())
        return failure(
            std::string(translated("serial port", "Write failed: the port is not open")));
    port_.clearError();
    const auto size = static_cast<qint64>(bytes.size());
    lastWrite_ = size;
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        return layerFailure(translated("serial port", "Write failed"));
    await(std::move(done), size);
    return Result<>{};
}

Result<> QtSerialPort::startDrain(Done done) {
    if (!port_.isOpen())
        return failure(
            std::string(translated("serial port", "Write failed: the port is not open")));
    Result<Descriptor> copy = duplicate(port_);
    if (!copy)
        return tl::unexpected(copy.error());
    await(std::move(done), lastWrite_);
    auto drained = std::make_shared<Result<>>();
    QThread* thread = QThread::create([descriptor = *copy, drained] {
        *drained = drainDescriptor(descriptor);
        release(descriptor);
    });
    QObject::connect(thread, &QThread::finished, &port_, [this, drained, operation = operation_] {
        if (operation == operation_)
            finish(*drained);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return Result<>{};
}

void QtSerialPort::await(Done done, qint64 bytes) {
    ++operation_;
    done_ = std::move(done);
    deadline_.start(deadlineFor(bytes));
}

void QtSerialPort::finish(Result<> status) {
    // Only a write or drain that is waiting hears of it: the blocking ones see the same signals.
    if (!done_)
        return;
    deadline_.stop();
    ++operation_;
    Done done = std::exchange(done_, {});
    done(std::move(status));
}

Result<> QtSerialPort::close() {
    done_ = {};
    ++operation_;
    deadline_.stop();
    if (!port_.isOpen())
        return Result<>{};
    port_.clearError();
    port_.close();
    if (port_.error() != QSerialPort::NoError)
        return layerFailure(translated("serial port", "Close failed"));
    return Result<>{};
}

std::chrono::milliseconds QtSerialPort::deadlineFor(qint64 bytes) const {
    return std::chrono::ceil<std::chrono::milliseconds>(
               timeOnLine(static_cast<std::size_t>(bytes), settings_.baud)) +
           kWriteMargin;
}

Result<> QtSerialPort::applySettings() {
    bool applied = port_.setBaudRate(settings_.baud) && port_.setParity(settings_.parity) &&
                   port_.setDataBits(settings_.dataBits) && port_.setStopBits(settings_.stopBits);
    return applied ? Result<>{} : layerFailure(translated("serial port", "Line settings refused"));
}

Result<> QtSerialPort::layerFailure(std::string_view doing) {
    std::string reason = systemWordsInLanguage(port_.errorString().toStdString());
    if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError)
        reason = translated("serial port", kLateWrite);
    return failure(
        withArguments(translated("serial port", "%1 on %2: %3"), {doing, location_, reason}));
}

}  // namespace zelvar
