#include "secondary_write.h"

namespace quorix::ui {

SecondaryWrite::SecondaryWrite(core::ParamStore& store, std::function<bool(int)> writeParam)
    : m_store(store), m_writeParam(std::move(writeParam))
{
}

void SecondaryWrite::store(int address, int value, bool bothModes)
{
    m_store.at(0, address).Value = value;
    if (bothModes)
        m_store.at(1, address).Value = value;
}

void SecondaryWrite::send(int address)
{
    m_writeParam(address);
}

} // namespace quorix::ui
