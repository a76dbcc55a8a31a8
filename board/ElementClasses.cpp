#include "board/ElementClasses.h"

#include "assistant/AssistantClasses.h"

namespace karvel {

void RegisterElementClasses() {
    static const bool registered = [] {
        RegisterAssistantClasses();
        return true;
    }();
    (void)registered;
}

} // namespace karvel
