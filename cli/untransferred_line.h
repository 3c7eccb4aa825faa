#pragma once

#include <string>

namespace quorix::cli {

// The line pull and push print after their result: what the processor's block
// transfers leave out, so nobody takes a pulled file or a push for the whole processor.
std::string UntransferredLine();

} // namespace quorix::cli
