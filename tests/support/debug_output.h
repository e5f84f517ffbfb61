// debug_output.h - the GL errors a context reports through KHR_debug.
#ifndef VRENK_TESTS_DEBUG_OUTPUT_H
#define VRENK_TESTS_DEBUG_OUTPUT_H

#include <string>
#include <vector>

namespace vrenktest {

// Records, from now on, the messages of type GL_DEBUG_TYPE_ERROR that the
// current context reports, synchronously (GL_DEBUG_OUTPUT_SYNCHRONOUS), so
// each arrives inside the call that caused it. False, and nothing recorded,
// where the context has no debug output (neither GL 4.3, ES 3.2 nor
// KHR_debug).
bool InstallDebugErrorRecorder();
// The error messages recorded since the last ClearDebugErrors, in order.
std::vector<std::string> DebugErrors();
void ClearDebugErrors();

}  // namespace vrenktest

#endif  // VRENK_TESTS_DEBUG_OUTPUT_H
