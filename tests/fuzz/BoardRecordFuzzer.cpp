// libFuzzer entry: damaged project files must end in a reading error, never in a crash, a hang
// or an allocation beyond the input.   ./build.sh fuzz [seconds]

#include "tests/fuzz/FuzzTarget.h"

#include <cstdint>
#include <memory>
#include <QtGui/QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Text labels measure their text, and fonts need a GUI application (on no screen).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    karvel::fuzz::ReadAndWriteBack(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
