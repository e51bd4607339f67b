// A driver library that lacks most of the 25 functions: the loader must refuse it.
#include "platform/spectrometer/Spectrometer.h"

extern "C" {
__attribute__((visibility("default"))) int SPGetAllDevices(int*, int* count) {
    *count = 0;
    return 0;
}
__attribute__((visibility("default"))) SPHANDLE SPConnect(int) {
    return nullptr;
}
__attribute__((visibility("default"))) int SPClose(SPHANDLE) {
    return 1;
}
}
