#include "cli_host.h"

namespace quorix::cli {

void CliHost::showMessage(std::string_view text, link::MessageIcon)
{
    m_out << "processor: " << text << '\n';
}

void CliHost::setProgress(int value, int maximum)
{
    if (value > 0)
        m_out << "reading " << value << '/' << maximum << '\n';
}

void CliHost::ApplyDeviceVariant(bool variantFlag)
{
    m_out << "found the processor (variant " << (variantFlag ? '3' : '1') << ")\n";
}

} // namespace quorix::cli
