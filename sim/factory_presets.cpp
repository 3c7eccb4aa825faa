#include "factory_presets.h"

#include "core/value_tables.h"

namespace quorix::sim {

namespace {

// Sets a band (and its dance-mode copy) in both modes.
void SetBand(core::ParamStore& store, int address, int gain, int qIndex = -1)
{
    for (int mode = 0; mode < 2; ++mode) {
        store.at(mode, address).band.gain = gain;
        if (qIndex >= 0)
            store.at(mode, address).band.qIndex = qIndex;
    }
}

void SetValue(core::ParamStore& store, int address, int value)
{
    for (int mode = 0; mode < (address < core::kFirstGlobalAddress ? 2 : 1); ++mode)
        store.at(mode, address).value = value;
}

void Pro(core::ParamStore& store)
{
    for (int band = 0; band < 15; ++band)
        SetBand(store, band, 250); // music input flat
    const int mic = 256 + 1;
    SetBand(store, mic + 2, 230);                             // less boom at 63 Hz
    SetBand(store, mic + 10, 280, 20);                        // presence at 2.5 kHz
    SetBand(store, mic + 13, 270);                            // air at 10 kHz
    SetValue(store, 256, core::FrequencyToIndex(100));        // mic high-pass at 100 Hz
    SetValue(store, 1024 + 0x07, core::FrequencyToIndex(40)); // main output high-pass
    SetBand(store, 1024 + 0x08, 270);                         // main 32 Hz
    SetBand(store, 1024 + 0x10, 265);                         // main 8 kHz
    SetValue(store, 768 + 0x14, 380);                         // shorter reverb
}

void Speech(core::ParamStore& store)
{
    for (int band = 0; band < 15; ++band)
        SetBand(store, band, band < 4 ? 200 : 250); // music low end cut
    const int mic = 256 + 1;
    SetValue(store, 256, core::FrequencyToIndex(150)); // mic high-pass at 150 Hz
    SetBand(store, mic + 0, 150);
    SetBand(store, mic + 1, 170);
    SetBand(store, mic + 3, 210);
    SetBand(store, mic + 11, 310, 22); // intelligibility at 4 kHz
    SetValue(store, 768 + 0x02, 20);   // few echo repeats
    SetValue(store, 768 + 0x01, 80);   // short echo
    SetValue(store, 768 + 0x14, 200);  // short reverb
    SetValue(store, 1024 + 0x07, core::FrequencyToIndex(80));
}

} // namespace

void ApplyFactoryTuning(core::ParamStore& store, int preset)
{
    if (preset == 1)
        Pro(store);
    else if (preset == 2)
        Speech(store);
}

} // namespace quorix::sim
