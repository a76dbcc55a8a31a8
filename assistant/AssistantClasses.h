#pragma once
// The component assistant's element classes, made known to the element factory by name so
// that streams holding generated outlines and resistors can be read.

namespace karvel {

void RegisterAssistantClasses();

} // namespace karvel
