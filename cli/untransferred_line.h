#pragma once

#include <string>

namespace quorix::cli {

// The line pull and push print after their result: what the processor's block
// transfers leave out, so nobody takes a pulled file or a push for the whole processor.
// A pull reads the dance set too; a push's block writes carry the singing set only
// (the shared parameters' dance copies follow singly), so its per-mode dance values stay out.
enum class Transfer { Pull, Push };
std::string UntransferredLine(Transfer transfer);

} // namespace quorix::cli
