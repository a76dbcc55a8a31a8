#pragma once
// Creates an element from the class name that frames it in a stream.

#include "board/Language.h"
#include "elements/Bauteil.h"

#include <memory>
#include <QtCore/QString>

namespace karvel {

// The element of that class; throws the "class not found" stream error for a name that is not
// an element class.
std::unique_ptr<TBauteil> CreateElementByClassName(const QString& className,
                                                   Language language = Language::German);

} // namespace karvel
