// libFuzzer entry: any bytes given to the RTF reader must end in a document or a reading
// problem, never in a crash, a hang or an allocation beyond the input; what was read must
// write and read back unchanged.   ./build.sh fuzz-rtf [seconds]

#include "tests/fuzz/RtfFuzzTarget.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <QtGui/QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Documents measure fonts, and fonts need a GUI application (on no screen).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!karvel::fuzz::ReadRtfAndWriteBack(
            QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        std::abort();
    return 0;
}
