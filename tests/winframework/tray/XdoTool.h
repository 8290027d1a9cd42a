// Real X input on the test display: xdotool, a Linux program, started from the Wine process (Wine
// runs a Linux executable given by its path on drive Z:, the root of the Linux file system).
#pragma once

#include <string>

namespace xdotool {

// True when the program is where the machine's setup puts it.
bool Available();
// Runs xdotool with the arguments (several commands may be chained) and waits until it has done
// them; false when it did not finish them within a few seconds.
bool Run(const std::string& arguments);

}  // namespace xdotool
