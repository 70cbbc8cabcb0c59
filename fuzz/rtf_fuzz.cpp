#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "rtf/reader.h"

// Fonts and image plugins need an application object; one for the whole run, offscreen.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

// Every input must end in a document or a reason; the sanitizers watch everything else.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTextDocument document;
    const zelvar::Result<> result = zelvar::readRtf(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
        document);
    if (!result && result.error().reason.empty()) {
        std::abort();
    }
    return 0;
}
