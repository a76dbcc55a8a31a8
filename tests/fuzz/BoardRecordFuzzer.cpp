// libFuzzer entry: damaged project files must end in a reading error, never in a crash, a hang
// or an allocation beyond the input.   ./build.sh fuzz [seconds]

#include "tests/fuzz/FuzzTarget.h"

#include <cstdint>
#include <memory>
#include <QtCore/QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::unique_ptr<QCoreApplication> app = std::make_unique<QCoreApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    karvel::fuzz::ReadAndWriteBack(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
