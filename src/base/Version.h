#pragma once
// The program's version line, shown by Help > About and by --version of
// both programs.

namespace Vexil {

constexpr const char* kVersionText = "Vexil Version 1.0";

}  // namespace Vexil
