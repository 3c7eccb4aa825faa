#include "core/address_map.h"
#include "core/param_store.h"
#include "core/store_summary.h"

#include <iostream>

// Until the tuning window exists the console lays out its parameter store and
// reports what it holds.
int main()
{
    quorix::core::ParamStore store;
    quorix::core::ParamStore image;
    quorix::core::InitParamStore(store, image);
    std::cout << "Quorix Console: parameter store laid out with its defaults\n"
              << quorix::core::FormatStoreSummary(store);
    return 0;
}
