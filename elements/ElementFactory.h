#pragma once
// Creates an element from the class name that frames it in a stream. The element classes of
// this folder are always known; classes built on top of them (the component assistant's)
// register themselves at start-up, so this layer never needs to know them.

#include "elements/Bauteil.h"
#include "platform/Language.h"

#include <functional>
#include <memory>
#include <QtCore/QString>

namespace karvel {

class ValueReader;

using ElementMaker = std::function<std::unique_ptr<TBauteil>(Language)>;

// Makes a class known by its stream name; registering a name again replaces its maker.
void RegisterElementClass(const QString& className, ElementMaker maker);
bool IsElementClassRegistered(const QString& className);

// The element of that class; throws the "class not found" stream error for a name that is not
// an element class.
std::unique_ptr<TBauteil> CreateElementByClassName(const QString& className,
                                                   Language language = Language::German);
// The same for the class name that comes next in a stream, read from it; boards and undo
// snapshots read thousands of them.
std::unique_ptr<TBauteil> ReadElementOfClass(ValueReader& reader,
                                             Language language = Language::German);

} // namespace karvel
