#include "assistant/AssistantClasses.h"

#include "assistant/Bt.h"
#include "assistant/Farbcode.h"
#include "elements/ElementFactory.h"

namespace karvel {

void RegisterAssistantClasses() {
    RegisterElementClass(QStringLiteral("TBt"),
                         [](Language language) { return std::make_unique<TBt>(language); });
    RegisterElementClass(QStringLiteral("TFarbcode"),
                         [](Language language) { return std::make_unique<TFarbcode>(language); });
}

} // namespace karvel
