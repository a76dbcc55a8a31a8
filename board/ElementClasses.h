#pragma once
// Start-up registration of every element class a stream may name. Each program (the editor,
// the command-line tools, the tests) calls it once before it reads anything; later calls do
// nothing.

namespace karvel {

void RegisterElementClasses();

} // namespace karvel
