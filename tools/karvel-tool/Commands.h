#pragma once
// The commands of karvel-tool; each takes the arguments after its name and gives the exit code.

#include <QtCore/QStringList>

namespace karvel::tool {

int Info(const QStringList& args);
int Convert(const QStringList& args);
int Render(const QStringList& args);
int Probe(const QStringList& args);
int Unused(const QStringList& args);
int Edit(const QStringList& args);
int Generate(const QStringList& args);
int Lists(const QStringList& args);

} // namespace karvel::tool
